// scripts/compare-frames on folders of frames written by the capture tool's PNG writer.
#include <gtest/gtest.h>

#include <filesystem>

#include "png_file.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace {

constexpr uint32_t kSide = 16;

// A frame with a gradient, every pixel of it moved by `change` in blue.
std::vector<uint32_t> Frame(int change) {
  std::vector<uint32_t> pixels(kSide * kSide);
  for (uint32_t i = 0; i < pixels.size(); ++i) {
    const uint32_t shade = (i * 7) % 200 + 20;
    pixels[i] = 0xFF000000u | shade << 16 | (255 - shade) << 8 | (shade + change);
  }
  return pixels;
}

class CompareFramesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(reference_.Path() / "frames");
    std::filesystem::create_directory(checked_.Path() / "frames");
    for (const char* name : {"lantern-001.000.png", "lantern-002.500.png"}) {
      ASSERT_TRUE(WritePngFile(reference_.File("frames/" + std::string(name)), Frame(0), kSide,
                               kSide));
    }
  }
  void Write(const std::string& name, int change) {
    ASSERT_TRUE(WritePngFile(checked_.File("frames/" + name), Frame(change), kSide, kSide));
  }
  ChildResult Compare() const {
    return RunChild("/usr/bin/python3",
                    {COMPARE_FRAMES_SCRIPT, "--compare", "--moments", "1,2.5",
                     reference_.File("frames"), checked_.File("frames")},
                    reference_.Path());
  }

  TempDir reference_;
  TempDir checked_;
};

TEST_F(CompareFramesTest, EqualFramesAndASmallChangePass) {
  // One step in one channel of three everywhere: 10 log10(255^2 x 3) = 52.90 dB.
  Write("lantern-001.000.png", 1);
  Write("lantern-002.500.png", 0);
  const ChildResult run = Compare();
  EXPECT_EQ(run.exitStatus, 0) << run.standardOutput << run.standardError;
  EXPECT_NE(run.standardOutput.find("   1.000 s  52.90 dB\n"), std::string::npos)
      << run.standardOutput;
  EXPECT_NE(run.standardOutput.find("   2.500 s  identical\n"), std::string::npos)
      << run.standardOutput;
  EXPECT_NE(run.standardOutput.find("0 of 2 moments below 40.0 dB"), std::string::npos);
}

TEST_F(CompareFramesTest, ALargeChangeOrAMissingFrameFails) {
  // Eight steps: 52.90 - 20 log10(8) = 34.84 dB, under the threshold.
  Write("lantern-001.000.png", 8);
  const ChildResult run = Compare();
  EXPECT_EQ(run.exitStatus, 1) << run.standardOutput << run.standardError;
  EXPECT_NE(run.standardOutput.find("   1.000 s  34.84 dB  FAIL"), std::string::npos)
      << run.standardOutput;
  EXPECT_NE(run.standardOutput.find("2.500 s  lantern-002.500.png"), std::string::npos)
      << run.standardOutput;
  EXPECT_NE(run.standardOutput.find("2 of 2 moments below 40.0 dB"), std::string::npos);
}

}  // namespace
