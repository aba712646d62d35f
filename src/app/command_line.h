#pragma once
// The player's command line. It knows one word: exactly "log" (case-sensitive, nothing
// else on the line) reveals the start-up choices' "Log" option. --study plays in study mode
// and --at T starts it there, paused at demo time T. --help (or -h) prints how to call the
// player; a word that starts with "--" and names no option is refused before anything
// opens. Any other line plays as an empty one does.
#include <iosfwd>
#include <optional>

struct CommandLine {
  bool showLog = false;
  bool study = false;             // --study, or --at
  std::optional<double> startAt;  // --at T: study mode, paused at demo time T
};

// Reads `argv` into `line`. Returns the status to exit with at once, having written to
// `out` (0 after --help) or to `errors` (2 for a refused word), or nothing when the demo
// is to play.
std::optional<int> ParseCommandLine(int argc, const char* const* argv, CommandLine& line,
                                    std::ostream& out, std::ostream& errors);
