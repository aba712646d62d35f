#include "moment_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// Two overlapping parts and a late one, in demo seconds.
const std::vector<PartWindow> kWindows{{10.0f, 20.0f}, {15.0f, 30.0f}, {40.0f, 50.0f}};

std::vector<double> TimesOf(const std::vector<PlannedFrame>& frames) {
  std::vector<double> times;
  for (const PlannedFrame& frame : frames) times.push_back(frame.time);
  return times;
}

// Checks what every plan must hold: time only moves forward, frames lie on the step from
// demo time 0, and every moment is shown exactly once.
void ExpectWellFormed(const std::vector<PlannedFrame>& frames, double fps, size_t moments) {
  std::set<size_t> shown;
  for (size_t i = 0; i < frames.size(); ++i) {
    if (i > 0) {
      EXPECT_GT(frames[i].time, frames[i - 1].time) << "frame " << i;
    }
    const double steps = frames[i].time * fps;
    EXPECT_NEAR(steps, std::round(steps), 1e-9) << "frame " << i;
    for (const size_t moment : frames[i].moments) EXPECT_TRUE(shown.insert(moment).second);
  }
  EXPECT_EQ(shown.size(), moments);
}

TEST(FrameGridTest, AMomentShowsTheFrameOnScreenThen) {
  const FrameGrid grid{0.0, 30.0};
  EXPECT_EQ(grid.FrameAt(60.0), 1800);
  EXPECT_EQ(grid.FrameAt(60.03), 1800);  // between two frames: the earlier is on screen
  // Decimals that binary floating point holds a hair low still land on their frame.
  EXPECT_EQ(grid.FrameAt(0.1), 3);
  EXPECT_EQ(FrameGrid({0.0, 10.0}).FrameAt(0.3), 3);
  EXPECT_EQ(grid.FramesBefore(10.0), 300);
  EXPECT_EQ(grid.FramesBefore(10.01), 301);
  EXPECT_EQ(FrameGrid({50.0, 30.0}).FramesBefore(60.0), 300);
  EXPECT_EQ(grid.FramesBefore(-1.0), 0);
}

TEST(FirstFrameToPlayTest, StartsWhereTheEarliestPartOnScreenFirstShows) {
  const FrameGrid grid{0.0, 10.0};
  // At 18 s both overlapping parts are on screen; the earlier started at 10 s. Frame 100 is
  // at exactly 10 s, which the part's window does not include (it opens after its start).
  EXPECT_EQ(FirstFrameToPlay(grid, 180, MomentPlay::kFromPartStart, kWindows), 101);
  // At 25 s only the second is left.
  EXPECT_EQ(FirstFrameToPlay(grid, 250, MomentPlay::kFromPartStart, kWindows), 151);
  // At its end a part is still on screen.
  EXPECT_EQ(FirstFrameToPlay(grid, 300, MomentPlay::kFromPartStart, kWindows), 151);
  // With nothing on screen there is nothing to warm up.
  EXPECT_EQ(FirstFrameToPlay(grid, 350, MomentPlay::kFromPartStart, kWindows), 350);
  EXPECT_EQ(FirstFrameToPlay(grid, 180, MomentPlay::kJump, kWindows), 180);
  EXPECT_EQ(FirstFrameToPlay(grid, 180, MomentPlay::kFromDemoStart, kWindows), 0);
}

TEST(FirstFrameToPlayTest, AGridThatStartsLateReachesBackToItsPartButNotBeforeTimeZero) {
  // A video from 17.05 s: its frame 0 shows both parts, and the warm-up runs on its own
  // step back to the first of its frames after 10 s.
  const FrameGrid late{17.05, 10.0};
  const int64_t first = FirstFrameToPlay(late, 0, MomentPlay::kFromPartStart, kWindows);
  EXPECT_EQ(first, -70);
  EXPECT_GT(static_cast<float>(late.Time(first)), 10.0f);
  EXPECT_LE(static_cast<float>(late.Time(first - 1)), 10.0f);

  const int64_t fromZero = FirstFrameToPlay(late, 0, MomentPlay::kFromDemoStart, kWindows);
  EXPECT_GE(late.Time(fromZero), 0.0);
  EXPECT_LT(late.Time(fromZero - 1), 0.0);

  // A part that opened at time zero: no frame before the clock's start.
  const std::vector<PartWindow> fromStart{{-0.5f, 5.0f}};
  EXPECT_EQ(FirstFrameToPlay(FrameGrid{0.0, 10.0}, 30, MomentPlay::kFromPartStart, fromStart),
            0);
}

TEST(PlanMomentsTest, MomentsShareTheirWarmUpAndNoFrameIsPlayedTwice) {
  // 18 s warms up from 10.1 s; 25 s would start from 15.1 s, already played, so it goes on
  // from 18.1 s; 45 s is in a part of its own, from 40.1 s.
  const std::vector<PlannedFrame> frames =
      PlanMoments({18.0, 25.0, 45.0}, 10.0, MomentPlay::kFromPartStart, kWindows);
  ExpectWellFormed(frames, 10.0, 3);
  ASSERT_EQ(frames.size(), 80u + 70u + 50u);
  EXPECT_DOUBLE_EQ(frames.front().time, 10.1);
  EXPECT_EQ(frames[79].moments, std::vector<size_t>{0});
  EXPECT_DOUBLE_EQ(frames[79].time, 18.0);
  EXPECT_DOUBLE_EQ(frames[80].time, 18.1);
  EXPECT_EQ(frames[149].moments, std::vector<size_t>{1});
  EXPECT_DOUBLE_EQ(frames[150].time, 40.1);
  EXPECT_EQ(frames.back().moments, std::vector<size_t>{2});
  for (size_t i : {size_t{0}, size_t{78}, size_t{80}, size_t{150}}) {
    EXPECT_TRUE(frames[i].moments.empty()) << i;
  }
}

TEST(PlanMomentsTest, MomentsOnOneFrameShareIt) {
  const std::vector<PlannedFrame> frames =
      PlanMoments({12.0, 12.04, 12.1}, 10.0, MomentPlay::kFromPartStart, kWindows);
  ExpectWellFormed(frames, 10.0, 3);
  ASSERT_EQ(frames.size(), 21u);  // 10.1 s to 12.1 s
  EXPECT_EQ(frames[19].moments, (std::vector<size_t>{0, 1}));
  EXPECT_EQ(frames[20].moments, std::vector<size_t>{2});
}

TEST(PlanMomentsTest, ExactPlaysFromTimeZeroAndJumpPlaysOnlyTheMoments) {
  const std::vector<PlannedFrame> exact =
      PlanMoments({1.5, 2.0}, 4.0, MomentPlay::kFromDemoStart, kWindows);
  ExpectWellFormed(exact, 4.0, 2);
  EXPECT_EQ(TimesOf(exact), (std::vector<double>{0, 0.25, 0.5, 0.75, 1, 1.25, 1.5, 1.75, 2}));
  EXPECT_EQ(exact[6].moments, std::vector<size_t>{0});

  // A jump keeps the exact times, off the step too, and draws a repeated one once.
  const std::vector<PlannedFrame> jump =
      PlanMoments({18.03, 18.03, 25.0}, 10.0, MomentPlay::kJump, kWindows);
  EXPECT_EQ(TimesOf(jump), (std::vector<double>{18.03, 25.0}));
  EXPECT_EQ(jump[0].moments, (std::vector<size_t>{0, 1}));
}

}  // namespace
