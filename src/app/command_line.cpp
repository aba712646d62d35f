#include "app/command_line.h"

#include <cstring>

bool CommandLineShowsLog(int argc, const char* const* argv) {
  return argc == 2 && std::strcmp(argv[1], "log") == 0;
}
