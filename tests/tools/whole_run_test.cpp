// The whole demo played headless at a coarse step: the log's part lines as the script's
// table reads them, never more than three parts in a frame, and the end by itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "base/log.h"
#include "capture_session.h"
#include "show/timeline_script.h"
#include "support/temp_dir.h"

namespace {

const std::vector<std::string> kPartLines = {
    "ORY FXADD 0 (intro) 0-27.893",         "ORY FXADD 1 (fade) 27.6-27.893",
    "ORY FXADD 2 (binary) 27.893-57.9946",  "ORY FXADD 3 (fade) 27.893-28.2",
    "ORY FXADD 4 (title) 44.9083-57.9946",  "ORY FXADD 5 (fade) 56-57.9946",
    "ORY FXADD 6 (terrain) 57.9946-69.997", "ORY FXADD 7 (fade) 57.9946-58.5",
    "ORY FXADD 8 (fade) 68.997-69.997",     "ORY FXADD 9 (stairs) 69.997-81.6396",
    "ORY FXADD 10 (fade) 69.997-70.597",    "ORY FXADD 11 (fade) 79.0396-81.6396",
    "ORY FXADD 12 (fast1) 81.6396-93.9941", "ORY FXADD 13 (fade) 81.6396-82.0396",
    "ORY FXADD 14 (fade) 93.5941-93.9941",  "ORY FXADD 15 (surgery) 93.9941-117.894",
    "ORY FXADD 16 (fade) 93.9941-94.4941",  "ORY FXADD 17 (fade) 117.494-117.894",
    "ORY FXADD 18 (fast2) 117.894-130.336", "ORY FXADD 19 (ppl part1) 130.336-142.375",
    "ORY FXADD 20 (fade) 130.336-131.336",  "ORY FXADD 21 (fade) 141.375-142.375",
    "ORY FXADD 22 (pitcombo) 142.375-178.18", "ORY FXADD 23 (fade) 142.375-142.975",
    "ORY FXADD 24 (fade) 177.68-178.18",    "ORY FXADD 25 (ppl part2) 178.18-190.033",
    "ORY FXADD 26 (fade) 178.18-178.88",    "ORY FXADD 27 (ppl2text) 178.18-190.033",
    "ORY FXADD 28 (fade) 189.633-190.033",  "ORY FXADD 29 (tunnel) 190.033-214.206",
    "ORY FXADD 30 (greets) 190.033-214.206", "ORY FXADD 31 (fade) 190.033-190.333",
    "ORY FXADD 32 (fade) 213.906-214.206",  "ORY FXADD 33 (hrnend) 214.206-270.681",
    "ORY FXADD 34 (end) 214.206-270.681",   "ORY FXADD 35 (fade) 214.206-214.606",
    "ORY FXADD 36 (fade) 263.951-270.681",  "ORY FXADD 37 (final) 270.681-300",
};

// The parts whose Render counts frames, and so log a rate when the demo ends.
const std::vector<std::string> kCountingParts = {
    "intro",     "binary",   "title",     "terrain",   "stairs", "fast1",  "surgery",
    "fast2",     "ppl part1", "pitcombo", "ppl part2", "tunnel", "greets", "hrnend"};

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (line.starts_with(prefix)) lines.push_back(line);
  }
  return lines;
}

TEST(WholeRun, PlaysAllThirtyEightPartsInOrderAndEndsByItself) {
  TempDir directory;
  std::filesystem::create_symlink(BUILT_ARCHIVE, directory.File("lantern.dat"));
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(directory.Path());
  ASSERT_TRUE(OpenLog("log.txt"));

  constexpr double kStep = 0.25;  // seconds of demo time between frames
  size_t mostDrawn = 0;
  double endedAt = 0;
  {
    CaptureSession session(160, 120, /*mute=*/true, BuildTimeline);
    for (long frame = 1;; ++frame) {
      const double seconds = static_cast<double>(frame) * kStep;
      const bool more = session.DrawFrameAt(seconds);
      mostDrawn = std::max(mostDrawn, session.demo().timeline().active().size());
      if (!more) {
        endedAt = seconds;
        break;
      }
      ASSERT_LT(seconds, 302.0) << "the timeline does not end";
    }
  }
  g_log.close();
  std::ifstream file("log.txt");
  const std::string log((std::istreambuf_iterator<char>(file)), {});
  std::filesystem::current_path(previous);

  EXPECT_EQ(LinesStartingWith(log, "ORY FXADD "), kPartLines);
  EXPECT_LE(mostDrawn, 3u);
  EXPECT_GT(endedAt, 300.503632);
  EXPECT_LE(endedAt, 300.503632 + kStep);
  EXPECT_EQ(LinesStartingWith(log, "---- DONE ----").size(), 1u);
  std::vector<std::string> rated;
  for (const std::string& line : LinesStartingWith(log, "")) {
    if (line.ends_with(" fps")) rated.push_back(line.substr(0, line.find(':')));
  }
  EXPECT_EQ(rated, kCountingParts);

  // Every texture loaded is given back by what took it, but for the capture composite's
  // "scrcap", which stays with the texture manager until the manager goes.
  std::multiset<std::string> held;
  for (const std::string& line : LinesStartingWith(log, "Loading texture ")) {
    const size_t open = line.find('"');
    held.insert(line.substr(open + 1, line.find('"', open + 1) - open - 1));
  }
  for (const std::string& line : LinesStartingWith(log, "Freeing texture ")) {
    const auto freed = held.find(line.substr(std::string("Freeing texture ").size()));
    ASSERT_NE(freed, held.end()) << line;
    held.erase(freed);
  }
  EXPECT_EQ(held, std::multiset<std::string>{"scrcap"});
}

}  // namespace
