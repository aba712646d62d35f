#include "compound_file_writer.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>

#include "resources/gsf_support.h"

namespace {
bool WriteEntries(GsfOutfile* storage, const std::vector<ArchiveEntry>& entries) {
  for (const ArchiveEntry& entry : entries) {
    GObjectPtr<GsfOutput> child(
        gsf_outfile_new_child(storage, entry.name.c_str(), entry.isStorage));
    if (!child) return false;
    const bool written =
        entry.isStorage ? WriteEntries(GSF_OUTFILE(child.get()), entry.children)
                        : gsf_output_write(child.get(), entry.bytes.size(), entry.bytes.data());
    // A child is closed before its storage is, even when writing it failed.
    if (!gsf_output_close(child.get()) || !written) return false;
  }
  return true;
}
}  // namespace

bool WriteCompoundFile(const std::string& path, const std::vector<ArchiveEntry>& entries) {
  InitialiseGsf();
  GError* error = nullptr;
  GObjectPtr<GsfOutput> file(gsf_output_stdio_new(path.c_str(), &error));
  if (!file) {
    g_clear_error(&error);
    return false;
  }
  GObjectPtr<GsfOutfile> root(gsf_outfile_msole_new(file.get()));
  const bool written = WriteEntries(root.get(), entries);
  return gsf_output_close(GSF_OUTPUT(root.get())) && written;
}
