#pragma once
// Opens the demo's log on a file of its own for as long as it lives, so a test can read
// what was logged.
#include <string>

#include "support/temp_dir.h"

class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Everything logged since the capture began.
  std::string Text() const;

 private:
  TempDir directory_;
};
