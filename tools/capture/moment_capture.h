#pragma once
// --at: chosen moments of the demo as PNG files, each reached as the options ask.
#include <functional>
#include <vector>

#include "capture_options.h"
#include "capture_session.h"
#include "moment_plan.h"

// Draws every planned frame in order and calls `keep` after each that shows a moment.
// Stops early, returning false, when `keep` returns false or the capture is interrupted.
bool PlayPlannedFrames(CaptureSession& session, const std::vector<PlannedFrame>& frames,
                       const std::function<bool(const PlannedFrame&)>& keep);

// The exit status and message of a capture stopped by Ctrl-C, SIGTERM or SIGHUP.
int ReportInterruption(const std::string& unwritten);

// Writes DIR/lantern-SSS.mmm.png for every moment and lists the files on standard
// output. Returns the exit status.
int CaptureMoments(CaptureSession& session, const CaptureOptions& options);
