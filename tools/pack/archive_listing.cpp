#include "archive_listing.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>

#include "resources/gsf_support.h"

std::optional<ArchiveListing> ListArchive(const std::string& path) {
  InitialiseGsf();
  GError* error = nullptr;
  GObjectPtr<GsfInput> file(gsf_input_stdio_new(path.c_str(), &error));
  if (!file) {
    g_clear_error(&error);
    return std::nullopt;
  }
  GObjectPtr<GsfInfile> root(gsf_infile_msole_new(file.get(), &error));
  if (!root) {
    g_clear_error(&error);
    return std::nullopt;
  }
  ArchiveListing listing;
  const int count = gsf_infile_num_children(root.get());
  for (int i = 0; i < count; ++i) {
    GObjectPtr<GsfInput> child(gsf_infile_child_by_index(root.get(), i));
    // Only a storage has a child count; a stream answers -1.
    const bool storage =
        child && GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0;
    (storage ? listing.storages : listing.streams).emplace_back(gsf_infile_name_by_index(root.get(), i));
  }
  return listing;
}
