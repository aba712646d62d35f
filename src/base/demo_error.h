#pragma once
// The one fatal-error type of the demo. It is thrown wherever the demo cannot go on and
// caught only by the entry point, which logs it and shows it in a message box.
#include <stdexcept>
#include <string>

class demoError : public std::runtime_error {
 public:
  explicit demoError(const std::string& message) : std::runtime_error(message) {}
  const char* message() const { return what(); }
};
