#pragma once
// Keeps a second copy of the demo from running: an advisory lock on a per-user file,
// "lantern.lock" in $XDG_RUNTIME_DIR (or the temporary directory). The lock is held until
// the object is destroyed or the process ends.
#include <memory>
#include <string>

class InstanceLock {
 public:
  // Null when another process holds the lock. When the lock file cannot be created at
  // all, the guard is skipped and a lock object is still returned: refusing to play
  // because of an unwritable directory would help no one.
  static std::unique_ptr<InstanceLock> Acquire();
  ~InstanceLock();

  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  static std::string LockFilePath();

 private:
  explicit InstanceLock(int fd) : fd_(fd) {}
  int fd_;
};
