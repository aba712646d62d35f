#pragma once
// What lantern-pack writes into the archive: a tree of named streams and named storages
// (sub-directories of the compound file, such as a scene's).
#include <cstdint>
#include <string>
#include <vector>

struct ArchiveEntry {
  std::string name;
  bool isStorage = false;
  std::vector<uint8_t> bytes;           // a stream's contents
  std::vector<ArchiveEntry> children;   // a storage's entries
};

// A stream entry.
ArchiveEntry StreamEntry(std::string name, std::vector<uint8_t> bytes);
// A storage entry holding `children`.
ArchiveEntry StorageEntry(std::string name, std::vector<ArchiveEntry> children);
