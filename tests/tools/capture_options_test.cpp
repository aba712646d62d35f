#include "capture_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

std::optional<CaptureOptions> Parse(std::vector<const char*> words, std::string* error = nullptr) {
  words.insert(words.begin(), "lantern-capture");
  std::string problem;
  auto options = ParseCaptureOptions(static_cast<int>(words.size()), words.data(), problem);
  if (error != nullptr) *error = problem;
  return options;
}

TEST(CaptureOptionsTest, MomentsAreSortedAndEverySettingIsRead) {
  const auto options =
      Parse({"--size", "800x600", "--fps", "60", "--mute", "--log", "--at", "120.5,57,0",
             "--out", "shots", "--scene", "weird.hrn", "--exact"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->mode, CaptureMode::kMoments);
  EXPECT_EQ(options->scene, "weird.hrn");
  EXPECT_EQ(options->width, 800u);
  EXPECT_EQ(options->height, 600u);
  EXPECT_EQ(options->fps, 60.0);
  EXPECT_TRUE(options->mute);
  EXPECT_TRUE(options->log);
  EXPECT_EQ(options->times, (std::vector<double>{0, 57, 120.5}));
  EXPECT_EQ(options->outputDirectory, "shots");
  EXPECT_EQ(options->play, MomentPlay::kFromDemoStart);
}

TEST(CaptureOptionsTest, DefaultsSuitABench) {
  const auto options = Parse({"--bench"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->mode, CaptureMode::kBench);
  EXPECT_EQ(options->width, 640u);
  EXPECT_EQ(options->height, 480u);
  EXPECT_EQ(options->fps, 30.0);
  EXPECT_FALSE(options->mute);
  EXPECT_TRUE(options->scene.empty());
  EXPECT_FALSE(options->to);

  const auto range = Parse({"--bench", "--from", "70", "--to", "81.5"});
  ASSERT_TRUE(range);
  EXPECT_EQ(range->from, 70.0);
  EXPECT_EQ(range->to, 81.5);
}

TEST(CaptureOptionsTest, AVideoTakesItsFormatFromTheExtensionAndARange) {
  const auto mp4 = Parse({"--video", "out/Demo.MP4", "--from", "50", "--to", "60"});
  ASSERT_TRUE(mp4);
  EXPECT_EQ(mp4->mode, CaptureMode::kVideo);
  EXPECT_EQ(mp4->videoPath, "out/Demo.MP4");
  EXPECT_EQ(mp4->videoFormat, VideoFormat::kMp4);
  EXPECT_EQ(mp4->from, 50.0);
  EXPECT_EQ(mp4->to, 60.0);
  EXPECT_EQ(mp4->play, MomentPlay::kFromPartStart);

  const auto mkv = Parse({"--video", "b.mkv", "--jump"});
  ASSERT_TRUE(mkv);
  EXPECT_EQ(mkv->videoFormat, VideoFormat::kMkv);
  EXPECT_EQ(mkv->from, 0.0);
  EXPECT_FALSE(mkv->to);
  EXPECT_EQ(mkv->play, MomentPlay::kJump);
}

TEST(CaptureOptionsTest, ASheetTakesItsStep) {
  const auto sheet = Parse({"--sheet", "s.png", "--every", "2.5", "--to", "30"});
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->mode, CaptureMode::kSheet);
  EXPECT_EQ(sheet->sheetPath, "s.png");
  EXPECT_EQ(sheet->sheetEvery, 2.5);
  EXPECT_EQ(sheet->to, 30.0);
  EXPECT_EQ(Parse({"--sheet", "s.png"})->sheetEvery, 5.0);
}

TEST(CaptureOptionsTest, HelpNeedsNothingElse) {
  const auto help = Parse({"--help"});
  ASSERT_TRUE(help);
  EXPECT_TRUE(help->help);
  EXPECT_TRUE(Parse({"--video", "x.mkv", "-h"})->help);
}

TEST(CaptureOptionsTest, MistakesAreRefusedNamingTheOptionAtFault) {
  struct Mistake {
    std::vector<const char*> words;
    const char* named;  // what the message must mention
  };
  const std::vector<Mistake> mistakes{
      {{}, "--at"},                                            // nothing to do
      {{"--at", "1", "--bench"}, "--bench"},                   // two modes
      {{"--video", "a.mkv", "--sheet", "s.png"}, "--sheet"},   // two modes
      {{"--at", "1,x"}, "--at"},                               // not a number
      {{"--at", "-1"}, "--at"},                                // before the start
      {{"--at", ""}, "--at"},                                  // empty list
      {{"--size", "640", "--bench"}, "--size"},                // no height
      {{"--size", "0x480", "--bench"}, "--size"},              // zero width
      {{"--fps", "0", "--bench"}, "--fps"},                    // no step
      {{"--bench", "--out", "dir"}, "--out"},                  // output without moments
      {{"--bench", "--size"}, "--size"},                       // missing value
      {{"--shiny"}, "--shiny"},                                // unknown
      {{"--video", "x.avi"}, "--video"},                       // unknown container
      {{"--video", "mp4"}, "--video"},                         // no extension
      {{"--video", "dir.mp4/clip"}, "--video"},                // a folder's extension
      {{"--video", "x.mp4", "--size", "641x480"}, "--size"},   // odd for 4:2:0
      {{"--video", "x.mkv", "--from", "5", "--to", "5"}, "--to"},  // empty range
      {{"--video", "x.mkv", "--from", "-2"}, "--from"},
      {{"--at", "3", "--from", "1"}, "--from"},                // range without a range mode
      {{"--sheet", "s.jpg"}, "--sheet"},
      {{"--sheet", "s.png", "--every", "0"}, "--every"},
      {{"--video", "x.mkv", "--every", "2"}, "--every"},       // step without a sheet
      {{"--at", "1", "--jump", "--exact"}, "--exact"},         // two ways at once
      {{"--bench", "--jump"}, "--jump"},
  };
  for (const Mistake& mistake : mistakes) {
    std::string error;
    const std::string said = mistake.words.empty() ? "(none)" : mistake.words[0];
    EXPECT_FALSE(Parse(mistake.words, &error)) << said;
    EXPECT_NE(error.find(mistake.named), std::string::npos) << said << ": " << error;
  }
}

// Random lines from the options' words, their values and garbage: the parser never fails
// to answer, refuses with a reason, and what it accepts is something the tool can run.
TEST(CaptureOptionsTest, AnyLineIsReadIntoRunnableOptionsOrRefusedWithAReason) {
  const std::vector<std::string> words{
      "--at",       "--video",  "--sheet", "--bench",   "--bench-study",
      "--size",     "--fps",    "--mute",  "--log",     "--scene",
      "--out",      "--every",  "--from",  "--to",      "--jump",
      "--exact",    "--help",   "-h",      "--version", "1",
      "-1",         "0.5",      "3,1,2",   "1,,2",      "x",
      "640x480",    "0x0",      "9x99999", "a.mkv",     "b.mp4",
      "s.png",      "",         "--",      "-",         "--at=5",
      "--fps=1001", "--bogus",  "nan",     "inf",       "1e308",
      "-0",         "weird.hrn"};
  std::mt19937 random(20261209);
  for (int trial = 0; trial < 20000; ++trial) {
    std::vector<const char*> line;
    for (size_t count = random() % 8; count > 0; --count) {
      line.push_back(words[random() % words.size()].c_str());
    }
    std::string error;
    const std::optional<CaptureOptions> options = Parse(line, &error);
    if (!options) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    if (options->help || options->version) continue;
    EXPECT_TRUE(options->width > 0 && options->height > 0);
    EXPECT_TRUE(options->fps >= 1 && options->fps <= 1000);
    EXPECT_TRUE(!options->to || *options->to > options->from);
    if (options->mode == CaptureMode::kMoments) {
      ASSERT_FALSE(options->times.empty());
      EXPECT_TRUE(std::is_sorted(options->times.begin(), options->times.end()));
      EXPECT_GE(options->times.front(), 0.0);
    }
    if (options->mode == CaptureMode::kVideo) {
      EXPECT_FALSE(options->videoPath.empty());
    }
    if (options->mode == CaptureMode::kSheet) {
      EXPECT_GT(options->sheetEvery, 0.0);
    }
  }
}

}  // namespace
