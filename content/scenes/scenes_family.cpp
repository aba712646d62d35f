#include "families.h"

// The scenes are generated here once their modelling kit exists.
std::vector<ArchiveEntry> MakeSceneEntries() { return {}; }
