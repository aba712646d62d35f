#pragma once
// Ctrl-C, a polite kill or a closed terminal during a capture: instead of dying mid-write,
// the capture notices, stops at the next frame and cleans up after itself.
void CatchInterruptions();
// Whether SIGINT, SIGTERM or SIGHUP arrived since CatchInterruptions.
bool Interrupted();
// The status a shell reports for a process that signal ended: 128 + the first signal
// that arrived (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP).
int InterruptedExitStatus();
