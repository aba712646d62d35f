// lantern-capture run for real, on the archive the build generated.
#include <filesystem>
#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace {

// Width and height from a PNG file's header chunk.
bool ReadPngSize(const std::string& path, uint32_t& width, uint32_t& height) {
  std::ifstream file(path, std::ios::binary);
  unsigned char header[24] = {};
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  const auto big32 = [&](int at) {
    return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 |
           uint32_t{header[at + 2]} << 8 | header[at + 3];
  };
  width = big32(16);
  height = big32(20);
  return header[1] == 'P' && header[2] == 'N' && header[3] == 'G';
}

class CaptureRunTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_symlink(BUILT_ARCHIVE, directory_.File("lantern.dat"));
  }
  TempDir directory_;
};

TEST_F(CaptureRunTest, MomentsAreWrittenAsPngsOfTheChosenSize) {
  const ChildResult run = RunChild(
      CAPTURE_BINARY, {"--mute", "--size", "320x200", "--at", "2.5,0.25", "--out", "shots"},
      directory_.Path());
  ASSERT_EQ(run.exitStatus, 0) << run.standardError;
  EXPECT_NE(run.standardOutput.find("lantern-000.250.png"), std::string::npos);
  for (const char* name : {"shots/lantern-000.250.png", "shots/lantern-002.500.png"}) {
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(ReadPngSize(directory_.File(name), width, height)) << name;
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 200u);
  }
}

TEST_F(CaptureRunTest, TheBenchReportsATotal) {
  const ChildResult run =
      RunChild(CAPTURE_BINARY, {"--mute", "--bench", "--fps", "2"}, directory_.Path());
  EXPECT_EQ(run.exitStatus, 0) << run.standardError;
  // Two frames a second until the timeline runs out, minutes into the demo.
  std::smatch total;
  ASSERT_TRUE(std::regex_search(run.standardOutput, total,
                                std::regex("\ntotal: ([0-9]+) frames in ")))
      << run.standardOutput;
  EXPECT_GT(std::stoi(total[1]), 2 * 240);
  EXPECT_TRUE(std::regex_search(run.standardOutput, std::regex("\n *[0-9]+  fade +[0-9]+ frames")))
      << run.standardOutput;
}

TEST_F(CaptureRunTest, AMissingArchiveIsFatal) {
  TempDir empty;
  const ChildResult run = RunChild(CAPTURE_BINARY, {"--mute", "--at", "1"}, empty.Path());
  EXPECT_EQ(run.exitStatus, 255);
  EXPECT_NE(run.standardError.find("lantern-capture: Cannot open lantern.dat"),
            std::string::npos)
      << run.standardError;
}

}  // namespace
