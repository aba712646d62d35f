#include "support/log_capture.h"

#include <fstream>
#include <iterator>

#include "base/log.h"

LogCapture::LogCapture() { OpenLog(directory_.File("log.txt")); }

LogCapture::~LogCapture() { g_log.close(); }

std::string LogCapture::Text() const {
  g_log.flush();
  std::ifstream file(directory_.File("log.txt"));
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
