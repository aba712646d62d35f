#pragma once
// --bench-study: how long the player's study mode takes to seek, and what its overlay
// costs, on this renderer at the session's size.
#include <ostream>

#include "capture_session.h"

// Seeks a paused player to the last frame of every timeline row (the most frames to
// replay within that row) and shows it, one line each with the slowest marked; then plays
// the same stretch with the overlay hidden and shown and reports the difference per frame.
void RunStudyBench(CaptureSession& session, std::ostream& out);
