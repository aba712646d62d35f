#pragma once
// The names, or the whole tree, of an archive, for tools that look at the whole archive.
#include <optional>
#include <string>
#include <vector>

#include "archive_entry.h"

struct ArchiveListing {
  std::vector<std::string> streams;
  std::vector<std::string> storages;
};

// Lists the root storage of the compound file `path`, in the file's own order; nothing
// when the file cannot be opened as a compound file.
std::optional<ArchiveListing> ListArchive(const std::string& path);

// Reads the compound file `path` back into the entry tree lantern-pack writes, streams'
// bytes and all, in the file's own order; nothing when it cannot be opened.
std::optional<std::vector<ArchiveEntry>> ReadArchiveTree(const std::string& path);
