#pragma once
// --video: every frame of a range at the fps step, with the soundtrack's matching samples,
// encoded into one file.
#include "capture_options.h"
#include "capture_session.h"

// Writes the video and names it on standard output; the progress and a summary of where
// the time went go to standard error. Returns the exit status.
int CaptureVideo(CaptureSession& session, const CaptureOptions& options);
