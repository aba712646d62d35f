#pragma once
// The stretch of demo time that --video and --sheet cover.
#include <stdexcept>

#include "capture_options.h"
#include "capture_session.h"

// The end of the range: --to, or the end of the timeline when it comes first. Throws
// std::runtime_error, naming --from, when the range starts after the timeline's end.
double RangeEnd(const CaptureOptions& options, const CaptureSession& session);
