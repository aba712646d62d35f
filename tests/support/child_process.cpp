#include "support/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDirectory,
                     const std::vector<std::pair<std::string, std::string>>& environment) {
  ChildResult result;
  int errorPipe[2];
  if (pipe(errorPipe) != 0) return result;

  const pid_t pid = fork();
  if (pid == 0) {
    dup2(errorPipe[1], STDERR_FILENO);
    close(errorPipe[0]);
    close(errorPipe[1]);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    if (chdir(workingDirectory.c_str()) != 0) _exit(127);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(errorPipe[1]);
  char buffer[4096];
  ssize_t count;
  while ((count = read(errorPipe[0], buffer, sizeof buffer)) > 0) {
    result.standardError.append(buffer, static_cast<size_t>(count));
  }
  close(errorPipe[0]);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    result.exitStatus = WEXITSTATUS(status);
  }
  return result;
}
