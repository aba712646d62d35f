// The player's study mode on the generated archive, driven on a virtual clock: what a
// seek shows against what lantern-capture shows, steps, and the music against the picture.
#include "app/study_mode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "archive_directory_fixture.h"
#include "capture_session.h"
#include "show/timeline_script.h"
#include "support/child_process.h"
#include "support/decoded_image.h"
#include "support/log_capture.h"

namespace {

constexpr double kOneFrame = 1.0 / StudyMode::kFramesPerSecond;

class StudyModeTest : public ArchiveDirectoryTest {
 protected:
  using Picture = std::vector<uint32_t>;  // 0xRRGGBB, top row first

  // The frame `lantern-capture --at T --fps 60` writes, each moment from a fresh start.
  Picture Captured(double seconds) const {
    char at[32];
    std::snprintf(at, sizeof at, "%.3f", seconds);
    const ChildResult run =
        RunChild(CAPTURE_BINARY, {"--at", at, "--fps", "60", "--mute", "--out", "frames"},
                 directory_.Path());
    EXPECT_EQ(run.exitStatus, 0) << run.standardError;
    char name[64];
    std::snprintf(name, sizeof name, "frames/lantern-%07.3f.png", seconds);
    std::ifstream file(directory_.File(name), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    const DecodedImage image = DecodeImage("frame.png", bytes);
    Picture picture;
    for (size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
      picture.push_back(image.pixels[i + 2] << 16 | image.pixels[i + 1] << 8 | image.pixels[i]);
    }
    return picture;
  }

  static Picture Shown(const CaptureSession& session) {
    Picture pixels;
    uint32_t width = 0, height = 0;
    EXPECT_TRUE(session.ReadFrame(pixels, width, height));
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
  }
};

// Inside the flares and the shaft, which move by each frame's step, and in a scene with
// animated textures; each sought from somewhere else, back and forth.
TEST_F(StudyModeTest, APausedSeekShowsWhatCaptureShowsAtThatMoment) {
  const double moments[] = {204.0, 126.0, 100.0};
  std::vector<Picture> expected;
  for (const double seconds : moments) expected.push_back(Captured(seconds));

  const LogCapture log;
  CaptureSession session(640, 480, /*mute=*/true, BuildTimeline, /*present=*/false);
  StudyMode study(session.demo());
  // A stretch played as a viewer would before pausing: the parts' state is not fresh.
  for (double t = 118.0; t < 121.0; t += 1.0 / 30.0) session.DrawFrameAt(t);
  study.TogglePause();
  for (size_t i = 0; i < std::size(moments); ++i) {
    study.SeekTo(moments[i]);
    ASSERT_TRUE(study.Frame());
    EXPECT_FLOAT_EQ(study.Now(), static_cast<float>(moments[i]));
    EXPECT_EQ(Shown(session), expected[i]) << "at " << moments[i];
  }
  EXPECT_NE(log.Text().find("---- Seek to 204.000 ----\n"), std::string::npos) << log.Text();
}

TEST_F(StudyModeTest, AStepForwardAndBackReturnsToTheSameFrame) {
  CaptureSession session(320, 240, /*mute=*/true, BuildTimeline, /*present=*/false);
  StudyMode study(session.demo());
  study.TogglePause();
  study.SeekTo(125.0);
  study.Frame();
  const Picture before = Shown(session);
  study.Step(+1);
  study.Frame();
  EXPECT_FLOAT_EQ(study.Now(), static_cast<float>(125.0 + kOneFrame));
  EXPECT_NE(Shown(session), before);  // the flares moved
  study.Step(-1);
  study.Frame();
  EXPECT_FLOAT_EQ(study.Now(), 125.0f);
  EXPECT_EQ(Shown(session), before);
}

TEST_F(StudyModeTest, RowsAreReachedByTheirFirstFrameAndSeeksStayOnTheTimeline) {
  CaptureSession session(160, 120, /*mute=*/true, BuildTimeline, /*present=*/false);
  StudyMode study(session.demo());
  study.TogglePause();
  study.SeekTo(100.0);
  study.JumpToRow(+1);
  const std::vector<float>& starts = study.RowStarts();
  const auto next = std::upper_bound(starts.begin(), starts.end(), 100.0f);
  ASSERT_NE(next, starts.end());
  EXPECT_GT(study.Now(), *next);
  EXPECT_LE(study.Now(), *next + kOneFrame);
  study.JumpToRow(-1);  // from a row's first frame to the row before
  EXPECT_GT(study.Now(), *std::prev(next));
  EXPECT_LE(study.Now(), *std::prev(next) + kOneFrame);

  study.SeekTo(-5.0);
  EXPECT_EQ(study.Now(), 0.0f);
  study.SeekTo(1e6);
  EXPECT_FLOAT_EQ(study.Now(), static_cast<float>(std::floor(study.End() * 60) / 60));
  EXPECT_TRUE(study.Frame());  // the last frame still plays
}

// The music is where the picture is after a seek and after a resume, to within a frame.
TEST_F(StudyModeTest, TheMusicFollowsThePicture) {
  CaptureSession session(160, 120, /*mute=*/false, BuildTimeline, /*present=*/false);
  CDemo& demo = session.demo();
  ASSERT_NE(demo.stream(), 0u);
  StudyMode study(demo);
  study.TogglePause();
  study.SeekTo(142.88);
  EXPECT_NEAR(demo.MusicPosition(), study.Now(), kOneFrame);
  EXPECT_NEAR(study.Now(), 142.88, kOneFrame);
  study.TogglePause();
  EXPECT_FALSE(study.paused());
  EXPECT_NEAR(demo.MusicPosition(), study.Now(), kOneFrame);
}

}  // namespace
