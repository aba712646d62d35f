#include "resources/data_archive.h"

#include <system_error>

// The data directory relative to the bin directory, from the build's install layout.
#ifndef LANTERN_DATA_FROM_BIN
#define LANTERN_DATA_FROM_BIN "../share/lantern"
#endif

std::filesystem::path InstalledDataArchive() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (program.parent_path() / LANTERN_DATA_FROM_BIN / kDataArchiveName).lexically_normal();
}

HRESULT OpenDataArchive(IStorage** root) {
  std::error_code error;
  if (!std::filesystem::exists(kDataArchiveName, error)) {
    const std::filesystem::path installed = InstalledDataArchive();
    if (!installed.empty() && std::filesystem::is_regular_file(installed, error)) {
      return OpenArchiveFile(installed.string(), root);
    }
  }
  return OpenArchiveFile(kDataArchiveName, root);
}
