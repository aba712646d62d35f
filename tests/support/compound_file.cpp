#include "support/compound_file.h"

#include <algorithm>

#include "compound_file_writer.h"

void CompoundFileBuilder::AddStream(std::string_view path, std::vector<uint8_t> bytes) {
  ArchiveEntry& entry = EntryAt(path);
  entry.isStorage = false;
  entry.bytes = std::move(bytes);
  entry.children.clear();
}

void CompoundFileBuilder::AddStream(std::string_view path, std::string_view text) {
  AddStream(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void CompoundFileBuilder::AddStorage(std::string_view path) {
  ArchiveEntry& entry = EntryAt(path);
  entry.isStorage = true;
  entry.bytes.clear();
}

ArchiveEntry& CompoundFileBuilder::EntryAt(std::string_view path) {
  ArchiveEntry* entry = &root_;
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find('/', start), path.size());
    const std::string_view name = path.substr(start, end - start);
    entry->isStorage = true;
    ArchiveEntry* child = nullptr;
    for (ArchiveEntry& existing : entry->children) {
      if (existing.name == name) child = &existing;
    }
    entry = child != nullptr ? child : &entry->children.emplace_back(StreamEntry(std::string(name), {}));
    start = end + 1;
  }
  return *entry;
}

bool CompoundFileBuilder::Write(const std::string& fileName) const {
  return WriteCompoundFile(fileName, root_.children);
}
