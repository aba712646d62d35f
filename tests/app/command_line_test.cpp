#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/version.h"
#include "support/child_process.h"

namespace {

struct Parsed {
  std::optional<int> exitNow;
  bool showLog = false;
  CommandLine line;
  std::string out, errors;
};

Parsed Parse(const std::vector<const char*>& words) {
  std::vector<const char*> argv{"lantern"};
  argv.insert(argv.end(), words.begin(), words.end());
  CommandLine line;
  std::ostringstream out, errors;
  Parsed parsed;
  parsed.exitNow = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), line, out, errors);
  parsed.showLog = line.showLog;
  parsed.line = line;
  parsed.out = out.str();
  parsed.errors = errors.str();
  return parsed;
}

TEST(CommandLineTest, OnlyTheExactWordLogRevealsTheLogOption) {
  EXPECT_TRUE(Parse({"log"}).showLog);
  for (const auto& words : std::vector<std::vector<const char*>>{
           {}, {"LOG"}, {"log "}, {"logs"}, {"log", "log"}, {"-x"}, {"--", "log"}}) {
    const Parsed parsed = Parse(words);
    EXPECT_FALSE(parsed.showLog);
    // Any such line plays, silently.
    EXPECT_EQ(parsed.exitNow, std::nullopt);
    EXPECT_EQ(parsed.errors, "");
  }
}

TEST(CommandLineTest, HelpDescribesThePlayerAndItsWord) {
  for (const char* help : {"--help", "-h"}) {
    const Parsed parsed = Parse({help});
    EXPECT_EQ(parsed.exitNow, 0);
    EXPECT_NE(parsed.out.find("Usage: lantern"), std::string::npos) << parsed.out;
    EXPECT_NE(parsed.out.find("--help"), std::string::npos);
    EXPECT_NE(parsed.out.find("  log "), std::string::npos);
    EXPECT_NE(parsed.out.find("--study"), std::string::npos);
    EXPECT_NE(parsed.out.find("--at"), std::string::npos);
    EXPECT_EQ(parsed.errors, "");
  }
}

TEST(CommandLineTest, AnUnknownOptionIsRefusedByName) {
  for (const auto& words : std::vector<std::vector<const char*>>{
           {"--bogus"}, {"log", "--study-mode"}, {"--bogus=1"}}) {
    const Parsed parsed = Parse(words);
    EXPECT_EQ(parsed.exitNow, 2);
    EXPECT_NE(parsed.errors.find("--"), std::string::npos) << parsed.errors;
    EXPECT_NE(parsed.errors.find("--help"), std::string::npos) << parsed.errors;
  }
}

TEST(CommandLineTest, StudyModeStartsPausedWhereAtSays) {
  EXPECT_TRUE(Parse({"--study"}).line.study);
  EXPECT_EQ(Parse({"--study"}).line.startAt, std::nullopt);
  for (const auto& words : std::vector<std::vector<const char*>>{
           {"--at", "142.88"}, {"--at=142.88"}, {"--study", "--at", "142.88"}}) {
    const Parsed parsed = Parse(words);
    EXPECT_EQ(parsed.exitNow, std::nullopt) << parsed.errors;
    EXPECT_TRUE(parsed.line.study);
    EXPECT_EQ(parsed.line.startAt, 142.88);
  }
  for (const auto& words :
       std::vector<std::vector<const char*>>{{"--at", "-1"}, {"--at", "soon"}, {"--at"}}) {
    const Parsed parsed = Parse(words);
    EXPECT_EQ(parsed.exitNow, 2);
    EXPECT_NE(parsed.errors.find("--at"), std::string::npos) << parsed.errors;
  }
}

TEST(CommandLineTest, VersionIsTheProjects) {
  const Parsed parsed = Parse({"--version"});
  EXPECT_EQ(parsed.exitNow, 0);
  EXPECT_EQ(parsed.out, std::string("lantern ") + LanternVersion() + "\n");
}

// The refusal comes before anything opens: no window, no lock, no missing-archive error.
TEST(CommandLineTest, TheProgramExitsWithStatusTwoOnAnUnknownOption) {
  const ChildResult run = RunChild(LANTERN_BINARY, {"--bogus"}, ".");
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_NE(run.standardError.find("lantern: unknown option --bogus"), std::string::npos)
      << run.standardError;
  EXPECT_EQ(run.standardError.find("lantern.dat"), std::string::npos);
}

}  // namespace
