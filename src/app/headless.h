#pragma once
// Whether anyone can see the program's windows. Under SDL's offscreen driver (tests, a
// machine without a display) windows and OpenGL work, but nobody sees them, so no message
// box or dialog there can be read or answered.
bool RunningHeadless();
