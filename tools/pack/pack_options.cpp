#include "pack_options.h"

#include <CLI/CLI.hpp>

#include "base/version.h"

namespace {

PackCommand Refused(std::string reason) {
  PackCommand command;
  command.text = std::move(reason);
  return command;
}

PackCommand Printing(PackCommand::Action action, std::string text) {
  PackCommand command;
  command.action = action;
  command.text = std::move(text);
  return command;
}

}  // namespace

PackCommand ReadPackCommand(const std::vector<std::string>& arguments) {
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
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    return Printing(PackCommand::Action::kPrintHelp, app.help());
  } catch (const CLI::CallForVersion& version) {
    return Printing(PackCommand::Action::kPrintVersion, version.what() + std::string("\n"));
  } catch (const CLI::ParseError& error) {
    return Refused(error.what());
  }
  const size_t given =
      archiveOption->count() + (sheetOption->count() > 0 ? 1 : 0) + iconOption->count();
  if (given != 1) return Refused("give one of OUT.dat, --contact-sheet or --icon");
  if (sheetOption->count() > 0 && sheet.size() != 2) {
    return Refused("--contact-sheet takes SHEET.png ARCHIVE.dat once");
  }
  PackCommand command;
  if (archiveOption->count() > 0) {
    command.action = PackCommand::Action::kPack;
    command.archive = archive;
  } else if (iconOption->count() > 0) {
    command.action = PackCommand::Action::kIcon;
    command.picture = icon;
  } else {
    command.action = PackCommand::Action::kContactSheet;
    command.picture = sheet[0];
    command.archive = sheet[1];
  }
  const bool needsArchive = command.action != PackCommand::Action::kIcon;
  const bool needsPicture = command.action != PackCommand::Action::kPack;
  if ((needsArchive && command.archive.empty()) || (needsPicture && command.picture.empty())) {
    return Refused("a path is empty");
  }
  return command;
}
