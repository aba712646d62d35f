#pragma once
// The version of lantern, as the build's project version gives it ("1.0.0"): what the
// programs print for --version and what the package is called.
const char* LanternVersion();
