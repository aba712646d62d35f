#pragma once
// lantern-pack's command line, read into the one thing it asks for.
#include <string>
#include <vector>

struct PackCommand {
  enum class Action { kPack, kContactSheet, kIcon, kPrintHelp, kPrintVersion, kRefuse };
  Action action = Action::kRefuse;
  // kPack: the archive to write. kContactSheet: the archive to read.
  std::string archive;
  // kContactSheet: the sheet to write. kIcon: the icon to write.
  std::string picture;
  // kPrintHelp and kPrintVersion: what to print. kRefuse: the reason, for a message that
  // goes on with the usage.
  std::string text;
};

// The arguments after the program's name. Never throws: every line that does not ask for
// exactly one thing with non-empty paths is refused with a reason.
PackCommand ReadPackCommand(const std::vector<std::string>& arguments);
