#pragma once
// --sheet: one frame every few seconds of a range, labelled with its demo time and the
// parts drawn in it, tiled into one PNG.
#include "capture_options.h"
#include "capture_session.h"

// Writes the sheet and names it on standard output. Returns the exit status.
int CaptureSheet(CaptureSession& session, const CaptureOptions& options);
