#include "capture_options.h"

#include <gtest/gtest.h>

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
             "--out", "shots", "--scene", "weird.hrn"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->scene, "weird.hrn");
  EXPECT_EQ(options->width, 800u);
  EXPECT_EQ(options->height, 600u);
  EXPECT_EQ(options->fps, 60.0);
  EXPECT_TRUE(options->mute);
  EXPECT_TRUE(options->log);
  EXPECT_EQ(options->times, (std::vector<double>{0, 57, 120.5}));
  EXPECT_EQ(options->outputDirectory, "shots");
  EXPECT_FALSE(options->bench);
}

TEST(CaptureOptionsTest, DefaultsSuitABench) {
  const auto options = Parse({"--bench"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->width, 640u);
  EXPECT_EQ(options->height, 480u);
  EXPECT_EQ(options->fps, 30.0);
  EXPECT_FALSE(options->mute);
  EXPECT_TRUE(options->scene.empty());
}

TEST(CaptureOptionsTest, MistakesAreRefusedWithAReason) {
  const std::vector<std::vector<const char*>> mistakes{
      {},                                 // nothing to do
      {"--at", "1", "--bench"},           // both
      {"--at", "1,x"},                    // not a number
      {"--at", "-1"},                     // before the start
      {"--at", ""},                       // empty list
      {"--size", "640", "--bench"},       // no height
      {"--size", "0x480", "--bench"},     // zero width
      {"--fps", "0", "--bench"},          // no step
      {"--bench", "--out", "dir"},        // output without moments
      {"--bench", "--size"},              // missing value
      {"--shiny"},                        // unknown
  };
  for (const auto& words : mistakes) {
    std::string error;
    EXPECT_FALSE(Parse(words, &error)) << (words.empty() ? "(none)" : words[0]);
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
