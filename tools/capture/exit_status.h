#pragma once
// lantern-capture's exit statuses besides 0.
constexpr int kUsageExit = 2;     // the command line is wrong; nothing was rendered
constexpr int kFailureExit = -1;  // the demo or a file failed (status 255)
// An interrupted capture exits with 128 + the signal (interruption.h).
