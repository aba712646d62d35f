#pragma once
// The demo's log, "log.txt". It is opened only when the user asks for it; while it is
// closed every write to it does nothing, so any code may write to it unconditionally.
// (glib declares a function of the same name: keep glib's headers out of headers that
// files including this one see.)
#include <cstdint>
#include <fstream>
#include <string>

extern std::ofstream g_log;

// Opens g_log on `path`, creating or truncating the file. Returns false on failure.
bool OpenLog(const std::string& path);

struct MemoryStatus;

struct LogHeaderInfo {
  std::string deviceName;
  uint32_t width, height, bitsPerPixel;
  bool fullscreen;
};

// The header the log starts with: the name box, the chosen device and mode, and the
// machine's memory.
void WriteLogHeader(std::ostream& out, const LogHeaderInfo& info, const MemoryStatus& memory);
