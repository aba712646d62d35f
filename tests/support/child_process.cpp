#include "support/child_process.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// Reads both pipes until the child has closed them, whichever it writes to first.
void CollectOutput(int outputPipe, int errorPipe, ChildResult& result) {
  pollfd pipes[2] = {{outputPipe, POLLIN, 0}, {errorPipe, POLLIN, 0}};
  std::string* targets[2] = {&result.standardOutput, &result.standardError};
  int open = 2;
  while (open > 0 && poll(pipes, 2, -1) > 0) {
    for (int index = 0; index < 2; ++index) {
      if (pipes[index].fd < 0 || pipes[index].revents == 0) continue;
      char buffer[4096];
      const ssize_t count = read(pipes[index].fd, buffer, sizeof buffer);
      if (count > 0) {
        targets[index]->append(buffer, static_cast<size_t>(count));
      } else {
        close(pipes[index].fd);
        pipes[index].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDirectory,
                     const std::vector<std::pair<std::string, std::string>>& environment) {
  ChildResult result;
  int outputPipe[2];
  int errorPipe[2];
  if (pipe(outputPipe) != 0) return result;
  if (pipe(errorPipe) != 0) {
    close(outputPipe[0]);
    close(outputPipe[1]);
    return result;
  }

  const pid_t pid = fork();
  if (pid == 0) {
    dup2(outputPipe[1], STDOUT_FILENO);
    dup2(errorPipe[1], STDERR_FILENO);
    for (int fd : {outputPipe[0], outputPipe[1], errorPipe[0], errorPipe[1]}) close(fd);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    if (chdir(workingDirectory.c_str()) != 0) _exit(127);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
      argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(outputPipe[1]);
  close(errorPipe[1]);
  CollectOutput(outputPipe[0], errorPipe[0], result);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    result.exitStatus = WEXITSTATUS(status);
  }
  return result;
}
