#pragma once
// The demo's log, "log.txt". It is opened only when the user asks for it; while it is
// closed every write to it does nothing, so any code may write to it unconditionally.
//
// glib exports a function named g_log. A global variable of that name in the program
// would be exported too, and libraries that call glib's g_log (libgsf does, on a damaged
// archive) would jump into the stream's bytes instead. So the stream lives in a
// namespace, which gives its symbol another name, and is brought out under its usual
// one. A file that includes glib's headers must still not include this one.
#include <cstdint>
#include <fstream>
#include <string>

namespace lantern {
extern std::ofstream g_log;
}  // namespace lantern
using lantern::g_log;

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
