// The capture session's catching up: before a moment it plays the frames of the parts on
// screen then, from their start, at the chosen step.
#include "capture_session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "demo/timeline_script.h"
#include "support/demo_archive.h"
#include "support/probe_part.h"
#include "support/temp_dir.h"

namespace {

class CaptureSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(directory_.Path());
    ASSERT_TRUE(DemoArchive().Write("lantern.dat"));
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  // The progress of every Render of the part `label`.
  std::vector<float> RendersOf(const std::string& label) const {
    std::vector<float> progress;
    for (const auto& [who, at] : journal_.renders) {
      if (who == label) progress.push_back(at);
    }
    return progress;
  }

  TempDir directory_;
  std::filesystem::path previous_;
  PartJournal journal_;
};

TEST_F(CaptureSessionTest, AMomentIsPlayedUpToFromTheStartOfThePartsOnScreen) {
  CaptureSession session(160, 120, /*mute=*/true, [&](CDemo& demo) {
    demo.AddPart(new ProbePart(&demo, journal_, "early"), "early", 0, 1);
    demo.AddPart(new ProbePart(&demo, journal_, "late"), "late", 2, 4);
  });
  // "late" is on screen from 2.5036 s: the frames at 2.75, 3.0 and 3.25 come first.
  session.PlayUpTo(3.3, 0.25);
  session.DrawFrameAt(3.3);
  EXPECT_TRUE(RendersOf("early").empty());
  std::vector<float> late = RendersOf("late");
  ASSERT_EQ(late.size(), 4u);
  EXPECT_NEAR(late[0], (2.75 - 2 - kTimeOffset) / 2, 1e-5);
  EXPECT_NEAR(late[3], (3.3 - 2 - kTimeOffset) / 2, 1e-5);

  // A later moment goes on from the last frame drawn; a moment on a step is drawn once.
  session.PlayUpTo(4.25, 0.25);
  session.DrawFrameAt(4.25);
  late = RendersOf("late");
  ASSERT_EQ(late.size(), 8u);  // 3.5, 3.75, 4.0 and the moment itself
  EXPECT_NEAR(late[4], (3.5 - 2 - kTimeOffset) / 2, 1e-5);
  EXPECT_NEAR(late[7], (4.25 - 2 - kTimeOffset) / 2, 1e-5);
}

}  // namespace
