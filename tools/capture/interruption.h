#pragma once
// Ctrl-C (or a polite kill) during a capture: instead of dying mid-write, the capture
// notices, stops at the next frame and cleans up after itself.
void CatchInterruptions();
// Whether SIGINT or SIGTERM arrived since CatchInterruptions.
bool Interrupted();
