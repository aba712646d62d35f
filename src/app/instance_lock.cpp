#include "app/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

std::string InstanceLock::LockFilePath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return std::string(runtime) + "/lantern.lock";
  // The shared temporary directory needs the user id in the name to keep users apart.
  const char* temporary = std::getenv("TMPDIR");
  if (temporary == nullptr || *temporary == '\0') temporary = "/tmp";
  return std::string(temporary) + "/lantern-" + std::to_string(getuid()) + ".lock";
}

std::unique_ptr<InstanceLock> InstanceLock::Acquire() {
  const int fd = open(LockFilePath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return std::unique_ptr<InstanceLock>(new InstanceLock(-1));
  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);  // closing the descriptor drops the lock
}
