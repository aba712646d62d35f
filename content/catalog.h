#pragma once
// Everything lantern-pack writes into the archive.
#include "archive_entry.h"

#include <vector>

// Runs every content family (in parallel; each is deterministic on its own) and gathers
// their entries in a fixed order: the archive's root storage.
std::vector<ArchiveEntry> BuildArchiveContent();
