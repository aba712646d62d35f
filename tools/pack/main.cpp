// lantern-pack: generates the demo's content and writes it as the archive lantern.dat;
// with --contact-sheet, pictures every texture of an archive in one PNG; with --icon,
// draws the program's icon.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/version.h"
#include "catalog.h"
#include "compound_file_writer.h"
#include "contact_sheet.h"
#include "icon/program_icon.h"
#include "kit/png_encoder.h"

namespace {

constexpr int kUsageExit = 2;
constexpr int kIconSize = 256;

constexpr char kUsage[] =
    "usage: lantern-pack OUT.dat\n"
    "       lantern-pack --contact-sheet SHEET.png ARCHIVE.dat\n"
    "       lantern-pack --icon ICON.png\n";

// Everything is written next to its target first and then renamed, so an interrupted run
// never leaves a half file where a reader looks for one.
std::string PartialName(const std::string& path) { return path + ".partial"; }

int MoveIntoPlace(const std::string& path) {
  std::error_code error;
  std::filesystem::rename(PartialName(path), path, error);
  if (!error) return 0;
  std::cerr << "lantern-pack: cannot move " << PartialName(path) << " to " << path << ": "
            << error.message() << "\n";
  return 1;
}

int CannotWrite(const std::string& path) {
  std::cerr << "lantern-pack: cannot write " << PartialName(path) << "\n";
  std::remove(PartialName(path).c_str());
  return 1;
}

int Pack(const std::string& path) {
  // Generating takes seconds; find out first whether the result can be written at all.
  if (!std::ofstream(PartialName(path))) return CannotWrite(path);
  if (!WriteCompoundFile(PartialName(path), BuildArchiveContent())) return CannotWrite(path);
  return MoveIntoPlace(path);
}

int DrawIcon(const std::string& path) {
  const std::vector<uint8_t> png = EncodePng(PaintProgramIcon(kIconSize), PngChannels::kRgba);
  std::ofstream file(PartialName(path), std::ios::binary);
  if (!file.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size())) ||
      !(file.close(), file)) {
    return CannotWrite(path);
  }
  return MoveIntoPlace(path);
}

int Refuse(const std::string& reason) {
  std::cerr << "lantern-pack: " << reason << "\n" << kUsage;
  return kUsageExit;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Generates all of lantern's content from code (pictures, meshes, scenes, font "
      "and music) and writes it as the archive OUT.dat.",
      "lantern-pack"};
  app.set_version_flag("--version", std::string("lantern-pack ") + LanternVersion(),
                       "Print the version and exit");
  std::string archive;
  std::vector<std::string> sheet;
  std::string icon;
  CLI::Option* archiveOption =
      app.add_option("OUT.dat", archive, "Where to write the generated archive");
  CLI::Option* sheetOption =
      app.add_option("--contact-sheet", sheet,
                     "Picture every texture of an archive in one PNG: SHEET.png ARCHIVE.dat")
          ->type_name("PATH")
          ->expected(2);
  CLI::Option* iconOption =
      app.add_option("--icon", icon, "Draw the program's icon, 256 x 256 pixels, as PNG")
          ->type_name("ICON.png");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return 0;
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return 0;
  } catch (const CLI::ParseError& error) {
    return Refuse(error.what());
  }
  const size_t given =
      archiveOption->count() + (sheetOption->count() > 0 ? 1 : 0) + iconOption->count();
  if (given != 1) return Refuse("give one of OUT.dat, --contact-sheet or --icon");
  try {
    if (!archive.empty()) return Pack(archive);
    if (!icon.empty()) return DrawIcon(icon);
    std::string error;
    if (WriteContactSheet(sheet[1], sheet[0], error)) return 0;
    std::cerr << "lantern-pack: " << error << "\n";
    return 1;
  } catch (const std::exception& failure) {
    std::cerr << "lantern-pack: " << failure.what() << "\n";
    return 1;
  }
}
