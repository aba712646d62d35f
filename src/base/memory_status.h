#pragma once
// The machine's memory, in KiB, as /proc/meminfo reports it. The page file of the log's
// "Virtual Memory" line is the swap space here.
#include <cstdint>
#include <istream>

struct MemoryStatus {
  uint64_t totalPhysicalKiB = 0;      // MemTotal
  uint64_t availablePhysicalKiB = 0;  // MemAvailable
  uint64_t totalPageFileKiB = 0;      // SwapTotal
  uint64_t availablePageFileKiB = 0;  // SwapFree
};

// Reads the fields from meminfo-formatted text; missing fields stay 0.
MemoryStatus ParseMemInfo(std::istream& meminfo);
// Reads /proc/meminfo; all zeros when it cannot be read.
MemoryStatus ReadMemoryStatus();
