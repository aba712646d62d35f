#include "capture_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

const char* const kCaptureUsage =
    "usage: lantern-capture [--size WxH] [--fps N] [--mute] [--log] [--scene NAME.hrn]\n"
    "                       (--at T1,T2,... [--out DIR] | --bench)\n"
    "Runs the demo from lantern.dat in the current directory on a virtual clock, with no\n"
    "window. --at renders the given demo times (seconds) to PNG files in DIR, each after the\n"
    "frames before it at a step of 1/fps from the start of the parts then on screen; --bench\n"
    "plays the whole timeline at that step as fast as it can and reports each part's rate.\n"
    "--scene plays one heron scene of the archive alone, its scene time the demo time.\n";

namespace {

bool ParseNumber(std::string_view text, double& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && std::isfinite(value);
}

bool ParseSize(std::string_view text, uint32_t& width, uint32_t& height) {
  const size_t x = text.find('x');
  if (x == std::string_view::npos) return false;
  const auto parse = [](std::string_view part, uint32_t& value) {
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    return error == std::errc{} && end == part.data() + part.size() && value > 0 &&
           value <= 16384;
  };
  return parse(text.substr(0, x), width) && parse(text.substr(x + 1), height);
}

bool ParseTimes(std::string_view text, std::vector<double>& times) {
  while (!text.empty()) {
    const size_t comma = text.find(',');
    double time = 0;
    if (!ParseNumber(text.substr(0, comma), time) || time < 0) return false;
    times.push_back(time);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  std::sort(times.begin(), times.end());
  return !times.empty();
}

}  // namespace

std::optional<CaptureOptions> ParseCaptureOptions(int argc, const char* const* argv,
                                                  std::string& error) {
  CaptureOptions options;
  bool haveOutput = false;
  for (int index = 1; index < argc; ++index) {
    const std::string_view option = argv[index];
    const bool hasValue = index + 1 < argc;
    if (option == "--mute") {
      options.mute = true;
    } else if (option == "--log") {
      options.log = true;
    } else if (option == "--bench") {
      options.bench = true;
    } else if (option == "--size" && hasValue) {
      if (!ParseSize(argv[++index], options.width, options.height)) {
        error = "--size wants WIDTHxHEIGHT, for example 640x480";
        return std::nullopt;
      }
    } else if (option == "--fps" && hasValue) {
      if (!ParseNumber(argv[++index], options.fps) || options.fps < 1 || options.fps > 1000) {
        error = "--fps wants a number of frames per second from 1 to 1000";
        return std::nullopt;
      }
    } else if (option == "--at" && hasValue) {
      if (!ParseTimes(argv[++index], options.times)) {
        error = "--at wants demo times in seconds separated by commas, for example 57,120.5";
        return std::nullopt;
      }
    } else if (option == "--scene" && hasValue) {
      options.scene = argv[++index];
    } else if (option == "--out" && hasValue) {
      options.outputDirectory = argv[++index];
      haveOutput = true;
    } else {
      error = "unknown option or missing value: " + std::string(option);
      return std::nullopt;
    }
  }
  if (options.times.empty() == !options.bench) {
    error = "give either --at or --bench";
    return std::nullopt;
  }
  if (haveOutput && options.times.empty()) {
    error = "--out needs --at";
    return std::nullopt;
  }
  return options;
}
