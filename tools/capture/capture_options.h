#pragma once
// The command line of lantern-capture.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "demo/frame_grid.h"
#include "video_format.h"

enum class CaptureMode {
  kMoments,     // --at: PNG files of chosen moments
  kVideo,       // --video: every frame of a range, with the soundtrack, into one file
  kSheet,       // --sheet: one labelled frame every few seconds, tiled into one PNG
  kBench,       // --bench: the whole timeline as fast as it runs, with each part's rate
  kStudyBench,  // --bench-study: the player's seeks and its overlay, timed
};

struct CaptureOptions {
  CaptureMode mode = CaptureMode::kMoments;
  bool help = false;           // print the usage and do nothing else
  bool version = false;        // print the version and do nothing else
  uint32_t width = 640;
  uint32_t height = 480;
  double fps = 30.0;           // the virtual clock's step is 1 / fps
  bool mute = false;           // no music in the demo, no audio stream in a video
  bool log = false;            // write log.txt as the demo does when asked
  MomentPlay play = MomentPlay::kFromPartStart;
  std::vector<double> times;   // --at: demo times to render to PNG, ascending
  std::string outputDirectory = ".";
  std::string videoPath;
  VideoFormat videoFormat = VideoFormat::kMp4;
  std::string sheetPath;
  double sheetEvery = 5.0;     // seconds between the sheet's frames
  double from = 0.0;           // --video, --sheet and --bench: the first demo time
  std::optional<double> to;    // their end (exclusive); none: the end of the timeline
  std::string scene;           // play only this heron scene (its storage's name), not the demo
};

extern const char* const kCaptureUsage;

// Parses `argv`; on a mistake returns nothing and says why in `error`, naming the option.
std::optional<CaptureOptions> ParseCaptureOptions(int argc, const char* const* argv,
                                                  std::string& error);
