#include "support/compound_file.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>

#include <algorithm>

#include "resources/gsf_support.h"

void CompoundFileBuilder::AddStream(std::string_view path, std::vector<uint8_t> bytes) {
  Entry& entry = EntryAt(path);
  entry.isStorage = false;
  entry.bytes = std::move(bytes);
  entry.children.clear();
}

void CompoundFileBuilder::AddStream(std::string_view path, std::string_view text) {
  AddStream(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void CompoundFileBuilder::AddStorage(std::string_view path) {
  Entry& entry = EntryAt(path);
  entry.isStorage = true;
  entry.bytes.clear();
}

CompoundFileBuilder::Entry& CompoundFileBuilder::EntryAt(std::string_view path) {
  Entry* entry = &root_;
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find('/', start), path.size());
    const std::string_view name = path.substr(start, end - start);
    entry->isStorage = true;
    Entry* child = nullptr;
    for (Entry& existing : entry->children) {
      if (existing.name == name) child = &existing;
    }
    entry = child != nullptr ? child : &entry->children.emplace_back(std::string(name));
    start = end + 1;
  }
  return *entry;
}

struct CompoundFileBuilder::Writer {
  static bool WriteEntries(GsfOutfile* storage, const std::vector<Entry>& entries);
};

bool CompoundFileBuilder::Writer::WriteEntries(GsfOutfile* storage,
                                               const std::vector<Entry>& entries) {
  for (const Entry& entry : entries) {
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

bool CompoundFileBuilder::Write(const std::string& fileName) const {
  InitialiseGsf();
  GError* error = nullptr;
  GObjectPtr<GsfOutput> file(gsf_output_stdio_new(fileName.c_str(), &error));
  if (!file) {
    g_clear_error(&error);
    return false;
  }
  GObjectPtr<GsfOutfile> root(gsf_outfile_msole_new(file.get()));
  const bool written = Writer::WriteEntries(root.get(), root_.children);
  return gsf_output_close(GSF_OUTPUT(root.get())) && written;
}
