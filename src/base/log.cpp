#include "base/log.h"

#include <ostream>

#include "base/memory_status.h"

std::ofstream lantern::g_log;

bool OpenLog(const std::string& path) {
  g_log.open(path, std::ios::out | std::ios::trunc);
  return g_log.is_open();
}

void WriteLogHeader(std::ostream& out, const LogHeaderInfo& info, const MemoryStatus& memory) {
  const std::string dots(74, '.');
  out << dots << "\n"
      << "." << std::string(30, ' ') << "l a n t e r n" << std::string(29, ' ') << ".\n"
      << dots << "\n\n"
      << "Device: " << info.deviceName << "\n"
      << "Resolution: " << info.width << "x" << info.height << "x" << info.bitsPerPixel
      << "    Windowed: " << (info.fullscreen ? "No" : "Yes") << "\n\n"
      << "Physical Memory - Total: " << memory.totalPhysicalKiB
      << "K    Free: " << memory.availablePhysicalKiB << "K\n"
      << "Virtual Memory  - Total: " << memory.totalPageFileKiB
      << "K    Free: " << memory.availablePageFileKiB << "K\n\n";
  out.flush();
}
