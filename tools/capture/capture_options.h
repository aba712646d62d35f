#pragma once
// The command line of lantern-capture.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CaptureOptions {
  uint32_t width = 640;
  uint32_t height = 480;
  double fps = 30.0;           // the virtual clock's step is 1 / fps
  bool mute = false;
  bool log = false;            // write log.txt as the demo does when asked
  std::vector<double> times;   // demo times to render to PNG, ascending
  std::string outputDirectory = ".";
  bool bench = false;          // play the whole timeline and report each part's frame rate
  std::string scene;           // play only this heron scene (its storage's name), not the demo
};

extern const char* const kCaptureUsage;

// Parses `argv`; on a mistake returns nothing and says why in `error`.
std::optional<CaptureOptions> ParseCaptureOptions(int argc, const char* const* argv,
                                                  std::string& error);
