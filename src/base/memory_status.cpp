#include "base/memory_status.h"

#include <fstream>
#include <sstream>
#include <string>

MemoryStatus ParseMemInfo(std::istream& meminfo) {
  MemoryStatus status;
  std::string line;
  while (std::getline(meminfo, line)) {
    std::istringstream fields(line);
    std::string key;
    uint64_t kib = 0;
    if (!(fields >> key >> kib)) continue;
    if (key == "MemTotal:") status.totalPhysicalKiB = kib;
    else if (key == "MemAvailable:") status.availablePhysicalKiB = kib;
    else if (key == "SwapTotal:") status.totalPageFileKiB = kib;
    else if (key == "SwapFree:") status.availablePageFileKiB = kib;
  }
  return status;
}

MemoryStatus ReadMemoryStatus() {
  std::ifstream meminfo("/proc/meminfo");
  return ParseMemInfo(meminfo);
}
