#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <cstring>
#include <ostream>
#include <string>

#include "base/version.h"

namespace {

constexpr int kRefusedCommandLine = 2;

}  // namespace

std::optional<int> ParseCommandLine(int argc, const char* const* argv, CommandLine& line,
                                    std::ostream& out, std::ostream& errors) {
  CLI::App app{"Plays the lantern demo: about five minutes of real-time 3D with its music.",
               "lantern"};
  app.set_version_flag("--version", std::string("lantern ") + LanternVersion(),
                       "Print the version and exit");
  app.footer(
      "Words:\n"
      "  log                         on its own, offers the Log choice in the start-up\n"
      "                              dialog, which writes log.txt");
  app.add_flag("--study", line.study,
               "Study mode: pause, seek, step and an overlay (the keys are in the README)");
  double at = 0.0;
  CLI::Option* atOption =
      app.add_option("--at", at, "Start in study mode, paused at demo time T seconds")
          ->type_name("T")
          ->check(CLI::NonNegativeNumber);
  // Other words are the player's own business (they play as no word does); only a
  // misspelt option is refused.
  app.allow_extras();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << "\n";
    return 0;
  } catch (const CLI::ParseError& error) {
    errors << "lantern: " << error.what() << "\nRun with --help for more information.\n";
    return kRefusedCommandLine;
  }
  for (const std::string& word : app.remaining()) {
    if (word.starts_with("--") && word != "--") {
      errors << "lantern: unknown option " << word
             << "\nRun with --help for more information.\n";
      return kRefusedCommandLine;
    }
  }
  line.showLog = argc == 2 && std::strcmp(argv[1], "log") == 0;
  if (atOption->count() > 0) {
    line.study = true;
    line.startAt = at;
  }
  return std::nullopt;
}
