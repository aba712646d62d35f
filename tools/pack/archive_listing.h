#pragma once
// The names in an archive's root storage, for tools that look at the whole archive.
#include <optional>
#include <string>
#include <vector>

struct ArchiveListing {
  std::vector<std::string> streams;
  std::vector<std::string> storages;
};

// Lists the root storage of the compound file `path`, in the file's own order; nothing
// when the file cannot be opened as a compound file.
std::optional<ArchiveListing> ListArchive(const std::string& path);
