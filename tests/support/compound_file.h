#pragma once
// Writes compound files (structured storage) for tests, so that no archive has to be
// checked in. Entries are named by path: storage names joined by '/', e.g. "outer/inner/data".
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "archive_entry.h"

class CompoundFileBuilder {
 public:
  // Adds the stream `path` holding `bytes`, with the storages on its way. An entry added
  // again at the same path replaces the earlier one.
  void AddStream(std::string_view path, std::vector<uint8_t> bytes);
  void AddStream(std::string_view path, std::string_view text);
  // Adds the (possibly empty) storage `path`, with the storages on its way.
  void AddStorage(std::string_view path);

  // Writes the file; false when it cannot be written.
  bool Write(const std::string& fileName) const;

 private:
  // The entry at `path`, created (with the storages on its way) if it is not there yet.
  ArchiveEntry& EntryAt(std::string_view path);

  ArchiveEntry root_ = StorageEntry("", {});
};
