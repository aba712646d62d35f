// lantern-pack: generates the demo's content and writes it as the archive lantern.dat;
// with --contact-sheet, pictures every texture of an archive in one PNG.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "catalog.h"
#include "compound_file_writer.h"
#include "contact_sheet.h"

namespace {

void PrintUsage() {
  std::cerr << "usage: lantern-pack OUT.dat\n"
               "       lantern-pack --contact-sheet SHEET.png ARCHIVE.dat\n";
}

// Writes next to the target and renames, so an interrupted run never leaves a half archive
// where the program looks for one.
int Pack(const std::string& path) {
  const std::string partial = path + ".partial";
  // Generating takes seconds; find out first whether the result can be written at all.
  if (!std::ofstream(partial)) {
    std::cerr << "lantern-pack: cannot write " << partial << "\n";
    return 1;
  }
  if (!WriteCompoundFile(partial, BuildArchiveContent())) {
    std::cerr << "lantern-pack: cannot write " << partial << "\n";
    std::remove(partial.c_str());
    return 1;
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::cerr << "lantern-pack: cannot move the archive to " << path << ": " << error.message()
              << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && argv[1][0] != '-') return Pack(argv[1]);
    if (argc == 4 && std::string(argv[1]) == "--contact-sheet") {
      std::string error;
      if (WriteContactSheet(argv[3], argv[2], error)) return 0;
      std::cerr << "lantern-pack: " << error << "\n";
      return 1;
    }
  } catch (const std::exception& failure) {
    std::cerr << "lantern-pack: " << failure.what() << "\n";
    return 1;
  }
  PrintUsage();
  return 2;
}
