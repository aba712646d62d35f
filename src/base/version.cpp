#include "base/version.h"

const char* LanternVersion() { return LANTERN_VERSION; }
