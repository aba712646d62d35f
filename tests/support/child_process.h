#pragma once
// Runs one of the project's programs as a child process and collects what it said.
#include <string>
#include <utility>
#include <vector>

struct ChildResult {
  int exitStatus = -1;  // the exit status (0..255), or -1 when the child did not exit normally
  std::string standardOutput;
  std::string standardError;
};

// Runs `program` with `arguments` in `workingDirectory`, with the test's environment plus
// `environment` (NAME, VALUE pairs), and waits for it.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDirectory,
                     const std::vector<std::pair<std::string, std::string>>& environment = {});
