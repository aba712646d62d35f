#include "archive_listing.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>

#include "resources/gsf_support.h"

namespace {

GObjectPtr<GsfInfile> OpenRoot(const std::string& path) {
  InitialiseGsf();
  GError* error = nullptr;
  GObjectPtr<GsfInput> file(gsf_input_stdio_new(path.c_str(), &error));
  if (!file) {
    g_clear_error(&error);
    return nullptr;
  }
  GObjectPtr<GsfInfile> root(gsf_infile_msole_new(file.get(), &error));
  if (!root) g_clear_error(&error);
  return root;
}

// Only a storage has a child count; a stream answers -1.
bool IsStorage(GsfInput* entry) {
  return GSF_IS_INFILE(entry) && gsf_infile_num_children(GSF_INFILE(entry)) >= 0;
}

std::vector<ArchiveEntry> ReadChildren(GsfInfile* storage) {
  std::vector<ArchiveEntry> entries;
  const int count = gsf_infile_num_children(storage);
  for (int i = 0; i < count; ++i) {
    GObjectPtr<GsfInput> child(gsf_infile_child_by_index(storage, i));
    if (!child) continue;
    const std::string name = gsf_infile_name_by_index(storage, i);
    if (IsStorage(child.get())) {
      entries.push_back(StorageEntry(name, ReadChildren(GSF_INFILE(child.get()))));
      continue;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(gsf_input_size(child.get())));
    if (!bytes.empty()) gsf_input_read(child.get(), bytes.size(), bytes.data());
    entries.push_back(StreamEntry(name, std::move(bytes)));
  }
  return entries;
}

}  // namespace

std::optional<ArchiveListing> ListArchive(const std::string& path) {
  GObjectPtr<GsfInfile> root = OpenRoot(path);
  if (!root) return std::nullopt;
  ArchiveListing listing;
  const int count = gsf_infile_num_children(root.get());
  for (int i = 0; i < count; ++i) {
    GObjectPtr<GsfInput> child(gsf_infile_child_by_index(root.get(), i));
    const bool storage = child && IsStorage(child.get());
    (storage ? listing.storages : listing.streams).emplace_back(gsf_infile_name_by_index(root.get(), i));
  }
  return listing;
}

std::optional<std::vector<ArchiveEntry>> ReadArchiveTree(const std::string& path) {
  GObjectPtr<GsfInfile> root = OpenRoot(path);
  if (!root) return std::nullopt;
  return ReadChildren(root.get());
}
