// lantern-pack: generates the demo's content and writes it as the archive lantern.dat;
// with --contact-sheet, pictures every texture of an archive in one PNG; with --icon,
// draws the program's icon.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "catalog.h"
#include "compound_file_writer.h"
#include "contact_sheet.h"
#include "icon/program_icon.h"
#include "kit/png_encoder.h"
#include "pack_options.h"

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
  const PackCommand command = ReadPackCommand(std::vector<std::string>(argv + 1, argv + argc));
  try {
    switch (command.action) {
      case PackCommand::Action::kPrintHelp:
      case PackCommand::Action::kPrintVersion:
        std::cout << command.text;
        return 0;
      case PackCommand::Action::kRefuse:
        return Refuse(command.text);
      case PackCommand::Action::kPack:
        return Pack(command.archive);
      case PackCommand::Action::kIcon:
        return DrawIcon(command.picture);
      case PackCommand::Action::kContactSheet:
        break;
    }
    std::string error;
    if (WriteContactSheet(command.archive, command.picture, error)) return 0;
    std::cerr << "lantern-pack: " << error << "\n";
    return 1;
  } catch (const std::exception& failure) {
    std::cerr << "lantern-pack: " << failure.what() << "\n";
    return 1;
  }
}
