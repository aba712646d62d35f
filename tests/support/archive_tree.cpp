#include "support/archive_tree.h"

#include <algorithm>

namespace {

// The list holding the entry at `path`, and the entry's own name in it.
std::vector<ArchiveEntry>* ParentList(std::vector<ArchiveEntry>& entries, const std::string& path,
                                      std::string& name) {
  const size_t slash = path.find('/');
  if (slash == std::string::npos) {
    name = path;
    return &entries;
  }
  ArchiveEntry* storage = FindEntry(entries, path.substr(0, slash));
  if (storage == nullptr || !storage->isStorage) return nullptr;
  return ParentList(storage->children, path.substr(slash + 1), name);
}

}  // namespace

ArchiveEntry* FindEntry(std::vector<ArchiveEntry>& entries, const std::string& path) {
  std::string name;
  std::vector<ArchiveEntry>* list = ParentList(entries, path, name);
  if (list == nullptr) return nullptr;
  const auto found = std::find_if(list->begin(), list->end(),
                                  [&](const ArchiveEntry& entry) { return entry.name == name; });
  return found == list->end() ? nullptr : &*found;
}

bool RemoveEntry(std::vector<ArchiveEntry>& entries, const std::string& path) {
  std::string name;
  std::vector<ArchiveEntry>* list = ParentList(entries, path, name);
  if (list == nullptr) return false;
  const auto removed = std::remove_if(list->begin(), list->end(),
                                      [&](const ArchiveEntry& entry) { return entry.name == name; });
  const bool found = removed != list->end();
  list->erase(removed, list->end());
  return found;
}
