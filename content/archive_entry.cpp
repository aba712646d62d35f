#include "archive_entry.h"

ArchiveEntry StreamEntry(std::string name, std::vector<uint8_t> bytes) {
  return {std::move(name), false, std::move(bytes), {}};
}

ArchiveEntry StorageEntry(std::string name, std::vector<ArchiveEntry> children) {
  return {std::move(name), true, {}, std::move(children)};
}
