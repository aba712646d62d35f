#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

bool ShowsLog(std::initializer_list<const char*> words) {
  std::vector<const char*> argv{"lantern"};
  argv.insert(argv.end(), words.begin(), words.end());
  return CommandLineShowsLog(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLineTest, OnlyTheExactWordLogRevealsTheLogOption) {
  EXPECT_TRUE(ShowsLog({"log"}));
  EXPECT_FALSE(ShowsLog({}));
  EXPECT_FALSE(ShowsLog({"LOG"}));
  EXPECT_FALSE(ShowsLog({"log "}));
  EXPECT_FALSE(ShowsLog({"logs"}));
  EXPECT_FALSE(ShowsLog({"log", "log"}));
}

}  // namespace
