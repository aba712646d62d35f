#include "base/timer.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kFrequency = 1000000;

TEST(TimerTest, ResetStartsTheClockAndTheEstimate) {
  ManualClock clock(kFrequency);
  clock.SetTicks(5000);
  CTimer timer(clock);
  EXPECT_EQ(timer.frequency, kFrequency);
  EXPECT_EQ(timer.frequencyF, 1e6f);

  timer.Reset(45.0f);
  EXPECT_EQ(timer.start, 5000u);
  EXPECT_EQ(timer.lastTick, 5000u);
  EXPECT_EQ(timer.lastDelta, kFrequency / 45);
  EXPECT_EQ(timer.fps, 45.0f);
  EXPECT_EQ(timer.DemoTime(), 0.0f);
  clock.AdvanceSeconds(2.5);
  EXPECT_FLOAT_EQ(timer.DemoTime(), 2.5f);
}

TEST(TimerTest, TickWithAnUnmovedCounterChangesNothing) {
  ManualClock clock(kFrequency);
  CTimer timer(clock);
  timer.Reset(45.0f);
  clock.AdvanceSeconds(0.02);
  timer.Tick();
  const float fps = timer.fps;
  const uint64_t delta = timer.lastDelta;
  timer.Tick();
  EXPECT_EQ(timer.fps, fps);
  EXPECT_EQ(timer.lastDelta, delta);
}

TEST(TimerTest, SteadyFramesPullTheEstimateGeometrically) {
  ManualClock clock(60 * 1000);  // a 60 fps frame is exactly 1000 ticks
  CTimer timer(clock);
  timer.Reset(45.0f);
  double gap = 60.0 - 45.0;
  for (int frame = 0; frame < 12; ++frame) {
    clock.AdvanceTicks(1000);
    timer.Tick();
    gap *= 0.75;  // three quarters of the remaining gap stays after each frame
    EXPECT_NEAR(timer.fps, 60.0 - gap, 1e-3) << "after frame " << frame;
    EXPECT_FLOAT_EQ(timer.secondsPerFrame, 1.0f / timer.fps);
  }
}

TEST(TimerTest, SlowFramesAreHeldAtOneFramePerSecond) {
  ManualClock clock(kFrequency);
  CTimer timer(clock);
  timer.Reset(1.2f);
  clock.AdvanceSeconds(10.0);
  timer.Tick();
  EXPECT_EQ(timer.fps, 1.0f);
  EXPECT_EQ(timer.secondsPerFrame, 1.0f);
}

TEST(TimerTest, PausedSpansDoNotCount) {
  ManualClock clock(kFrequency);
  CTimer timer(clock);
  timer.Reset(45.0f);
  clock.AdvanceSeconds(10.0);
  timer.Pause();
  clock.AdvanceSeconds(5.0);
  EXPECT_FLOAT_EQ(timer.DemoTime(), 10.0f);  // standing while paused
  timer.Resume();
  EXPECT_FLOAT_EQ(timer.DemoTime(), 10.0f);
  clock.AdvanceSeconds(1.0);
  EXPECT_FLOAT_EQ(timer.DemoTime(), 11.0f);
}

TEST(TimerTest, WithoutAHighResolutionCounterTimeComesInMilliseconds) {
  ManualClock clock(kFrequency, /*hasCounter=*/false);
  clock.SetTicks(1234);
  CTimer timer(clock);
  EXPECT_EQ(timer.frequency, 1000u);
  EXPECT_EQ(timer.Now(), 1234u);
  timer.Reset(45.0f);
  clock.AdvanceTicks(1500);
  EXPECT_FLOAT_EQ(timer.DemoTime(), 1.5f);
}

}  // namespace
