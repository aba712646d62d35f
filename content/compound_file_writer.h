#pragma once
// Writes a compound file (structured storage) with libgsf.
#include <string>
#include <vector>

#include "archive_entry.h"

// Writes `entries` as the root storage of the compound file `path`, in the given order.
// False when the file cannot be written.
bool WriteCompoundFile(const std::string& path, const std::vector<ArchiveEntry>& entries);
