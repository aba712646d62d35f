#pragma once
// Finding and removing entries in an archive's entry tree, so that a test can damage one
// entry of an archive and write the rest unchanged.
#include <string>
#include <vector>

#include "archive_entry.h"

// The entry at `path` (storage names joined by '/'), or null.
ArchiveEntry* FindEntry(std::vector<ArchiveEntry>& entries, const std::string& path);

// Removes the entry at `path`; false when there is none.
bool RemoveEntry(std::vector<ArchiveEntry>& entries, const std::string& path);
