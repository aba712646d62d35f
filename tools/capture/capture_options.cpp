#include "capture_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

const char* const kCaptureUsage =
    "usage: lantern-capture [--size WxH] [--fps N] [--mute] [--log] [--scene NAME.hrn] MODE\n"
    "Runs the demo from lantern.dat in the current directory on a virtual clock, with no\n"
    "window. MODE is one of:\n"
    "  --at T1,T2,... [--out DIR] [--jump | --exact]\n"
    "      renders each demo time (seconds) to DIR/lantern-SSS.mmm.png\n"
    "  --video FILE [--from T0] [--to T1] [--jump | --exact]\n"
    "      renders every frame n at demo time T0 + n/fps up to T1 (default: the end of the\n"
    "      timeline) with the soundtrack; FILE.mp4 is H.264 and AAC, FILE.mkv is lossless\n"
    "      (FFV1 and FLAC). --mute leaves the audio out\n"
    "  --sheet FILE.png [--every S] [--from T0] [--to T1] [--jump | --exact]\n"
    "      tiles one frame every S seconds (default 5), labelled with its demo time and the\n"
    "      parts drawn in it, into one picture\n"
    "  --bench [--from T0] [--to T1]\n"
    "      measures the renderer's fill rate, then plays the timeline (or the frames from\n"
    "      T0 up to T1) at a step of 1/fps as fast as it can and reports for each part its\n"
    "      frames, rate, median and 95th-percentile frame time and overdraw\n"
    "  --bench-study\n"
    "      times the player's study mode: a seek to the last frame of every timeline row\n"
    "      (as a paused player lands there and shows it), and the overlay's cost per frame\n"
    "  --help\n"
    "      prints this text\n"
    "  --version\n"
    "      prints the version\n"
    "Frames lie on a step of 1/fps (default 30) from demo time 0 (for --video, from T0); a\n"
    "moment between two steps shows the frame a video would show then. Before a frame is\n"
    "kept, every frame from the start of the earliest part on screen is played, so effects\n"
    "that carry state from frame to frame look as a viewer sees them. --exact plays from demo\n"
    "time 0 instead, which gives the very pixels of a video at the same fps; --jump draws each\n"
    "moment straight away. --scene plays one heron scene of the archive alone, its scene\n"
    "time the demo time.\n";

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

bool EndsWith(std::string_view text, std::string_view ending) {
  return text.size() > ending.size() && text.substr(text.size() - ending.size()) == ending;
}

// What was said on the command line, before the combinations are checked.
struct Given {
  int modes = 0;
  bool output = false;
  bool range = false;
  bool every = false;
  bool jump = false;
  bool exact = false;
};

// The combinations that the options alone cannot refuse; an empty text when all is well.
std::string CheckCombination(const CaptureOptions& options, const Given& given) {
  if (options.help || options.version) return "";
  if (given.modes != 1) return "give one of --at, --video, --sheet, --bench or --bench-study";
  const bool video = options.mode == CaptureMode::kVideo;
  const bool sheet = options.mode == CaptureMode::kSheet;
  if (given.output && options.mode != CaptureMode::kMoments) return "--out needs --at";
  if (given.range && !video && !sheet && options.mode != CaptureMode::kBench) {
    return "--from and --to need --video, --sheet or --bench";
  }
  if (options.to && *options.to <= options.from) return "--to must be later than --from";
  if (given.every && !sheet) return "--every needs --sheet";
  if (options.mode == CaptureMode::kStudyBench && (given.range || given.jump || given.exact)) {
    return "--bench-study takes no range and no way of playing: it seeks as the player does";
  }
  if ((given.jump || given.exact) && options.mode == CaptureMode::kBench) {
    return given.jump ? "--jump does not go with --bench" : "--exact does not go with --bench";
  }
  if (given.jump && given.exact) return "--jump and --exact exclude each other";
  if (video && options.videoFormat == VideoFormat::kMp4 &&
      (options.width % 2 != 0 || options.height % 2 != 0)) {
    return "--size must be even both ways for .mp4 (H.264 halves the colour resolution)";
  }
  return "";
}

}  // namespace

// CLI11 splits the line into options and their values; every value is read, and every
// message written, here, so that each message names the option at fault in the tool's words.
std::optional<CaptureOptions> ParseCaptureOptions(int argc, const char* const* argv,
                                                  std::string& error) {
  CaptureOptions options;
  Given given;
  CLI::App app{"", "lantern-capture"};
  app.set_help_flag();  // the usage text is the tool's own
  app.allow_extras();
  app.add_flag("-h,--help", options.help);
  app.add_flag("--version", options.version);
  app.add_flag("--mute", options.mute);
  app.add_flag("--log", options.log);
  app.add_flag("--jump", given.jump);
  app.add_flag("--exact", given.exact);
  const CLI::Option* bench = app.add_flag("--bench");
  const CLI::Option* studyBench = app.add_flag("--bench-study");
  std::string size, fps, at, video, sheet, every, from, to;
  const CLI::Option* sizeOption = app.add_option("--size", size);
  const CLI::Option* fpsOption = app.add_option("--fps", fps);
  const CLI::Option* atOption = app.add_option("--at", at);
  const CLI::Option* videoOption = app.add_option("--video", video);
  const CLI::Option* sheetOption = app.add_option("--sheet", sheet);
  const CLI::Option* everyOption = app.add_option("--every", every);
  const CLI::Option* fromOption = app.add_option("--from", from);
  const CLI::Option* toOption = app.add_option("--to", to);
  app.add_option("--scene", options.scene);
  const CLI::Option* outOption = app.add_option("--out", options.outputDirectory);
  const auto fail = [&error](std::string reason) {
    error = std::move(reason);
    return std::nullopt;
  };
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& mistake) {
    return fail(mistake.what());
  }
  if (!app.remaining().empty()) return fail("unknown option: " + app.remaining().front());

  if (bench->count() > 0) options.mode = CaptureMode::kBench;
  if (studyBench->count() > 0) options.mode = CaptureMode::kStudyBench;
  if (given.jump || given.exact) {
    options.play = given.jump ? MomentPlay::kJump : MomentPlay::kFromDemoStart;
  }
  if (sizeOption->count() > 0 && !ParseSize(size, options.width, options.height)) {
    return fail("--size wants WIDTHxHEIGHT, for example 640x480");
  }
  if (fpsOption->count() > 0 &&
      (!ParseNumber(fps, options.fps) || options.fps < 1 || options.fps > 1000)) {
    return fail("--fps wants a number of frames per second from 1 to 1000");
  }
  if (atOption->count() > 0) {
    if (!ParseTimes(at, options.times)) {
      return fail("--at wants demo times in seconds separated by commas, for example 57,120.5");
    }
    options.mode = CaptureMode::kMoments;
  }
  if (videoOption->count() > 0) {
    const std::optional<VideoFormat> format = VideoFormatForPath(video);
    if (!format) return fail("--video wants a file name ending in .mp4 or .mkv, not " + video);
    options.videoPath = video;
    options.videoFormat = *format;
    options.mode = CaptureMode::kVideo;
  }
  if (sheetOption->count() > 0) {
    if (!EndsWith(sheet, ".png"))
      return fail("--sheet wants a file name ending in .png, not " + sheet);
    options.sheetPath = sheet;
    options.mode = CaptureMode::kSheet;
  }
  if (everyOption->count() > 0) {
    if (!ParseNumber(every, options.sheetEvery) || options.sheetEvery <= 0) {
      return fail("--every wants a number of seconds above 0");
    }
    given.every = true;
  }
  for (const auto& [option, text] : {std::pair{fromOption, &from}, std::pair{toOption, &to}}) {
    if (option->count() == 0) continue;
    double seconds = 0;
    if (!ParseNumber(*text, seconds) || seconds < 0) {
      return fail(option->get_name() + " wants a demo time in seconds, 0 or more");
    }
    if (option == fromOption) {
      options.from = seconds;
    } else {
      options.to = seconds;
    }
    given.range = true;
  }
  given.output = outOption->count() > 0;
  given.modes = static_cast<int>(bench->count() + studyBench->count() + atOption->count() +
                                 videoOption->count() + sheetOption->count());
  const std::string problem = CheckCombination(options, given);
  if (!problem.empty()) return fail(problem);
  return options;
}
