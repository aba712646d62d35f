#include "demo/audio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "support/test_mp3.h"

namespace {

using namespace std::chrono_literals;

constexpr uint32_t kRate = 44100;
// Comfortably more than the device's buffer of 1024 frames, so that a position past it
// cannot come from a single callback after a rewind.
constexpr uint64_t kWellUnderway = 4096;
// Long enough for several callbacks of the device to have run.
constexpr auto kSeveralCallbacks = 100ms;

// The dummy driver plays in real time on the audio thread. The limit is only reached when
// the output is broken; a working player meets the condition within tens of milliseconds.
bool WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + 3s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(2ms);
  }
  return true;
}

class AudioTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(AudioInit(0, kRate)); }
  void TearDown() override { AudioFree(); }

  AudioStream CreateStream(const std::vector<uint8_t>& mp3) {
    return AudioStreamCreateFromMemory(mp3.data(), mp3.size());
  }

  // Starts the output and plays `stream` until it is well past its first callbacks.
  void PlayUntilUnderway(AudioStream stream) {
    ASSERT_TRUE(AudioStart());
    ASSERT_TRUE(AudioStreamPlay(stream, true));
    ASSERT_TRUE(WaitUntil([&] { return AudioStreamPosition(stream) >= kWellUnderway; }));
  }
};

// Far longer than any test plays, so that no stream ends under a test by accident.
const std::vector<uint8_t>& LongMp3() {
  static const std::vector<uint8_t> mp3 = EncodeTestMp3(5 * kRate);
  return mp3;
}

TEST_F(AudioTest, PlayingAdvancesThePosition) {
  const AudioStream stream = CreateStream(LongMp3());
  ASSERT_NE(stream, 0u);
  EXPECT_EQ(AudioStreamPosition(stream), 0u);
  PlayUntilUnderway(stream);
}

TEST_F(AudioTest, PauseHoldsThePositionAndStartResumesFromIt) {
  const AudioStream stream = CreateStream(LongMp3());
  PlayUntilUnderway(stream);

  ASSERT_TRUE(AudioPause());
  const uint64_t paused_at = AudioStreamPosition(stream);
  std::this_thread::sleep_for(kSeveralCallbacks);
  EXPECT_EQ(AudioStreamPosition(stream), paused_at);

  ASSERT_TRUE(AudioStart());
  ASSERT_TRUE(WaitUntil([&] { return AudioStreamPosition(stream) != paused_at; }));
  EXPECT_GT(AudioStreamPosition(stream), paused_at);
}

TEST_F(AudioTest, StopHaltsTheOutput) {
  const AudioStream stream = CreateStream(LongMp3());
  PlayUntilUnderway(stream);

  ASSERT_TRUE(AudioStop());
  const uint64_t stopped_at = AudioStreamPosition(stream);
  std::this_thread::sleep_for(kSeveralCallbacks);
  EXPECT_EQ(AudioStreamPosition(stream), stopped_at);
}

TEST_F(AudioTest, PlayStartsTheStreamAgainFromItsStart) {
  const AudioStream stream = CreateStream(LongMp3());
  PlayUntilUnderway(stream);

  // Paused, no callback can move the position after the rewind.
  ASSERT_TRUE(AudioPause());
  ASSERT_TRUE(AudioStreamPlay(stream, true));
  EXPECT_EQ(AudioStreamPosition(stream), 0u);
}

TEST_F(AudioTest, OnlyThePlayingStreamAdvances) {
  const AudioStream idle = CreateStream(LongMp3());
  const AudioStream played = CreateStream(LongMp3());
  ASSERT_NE(idle, 0u);
  ASSERT_NE(played, 0u);
  EXPECT_NE(idle, played);

  PlayUntilUnderway(played);
  EXPECT_EQ(AudioStreamPosition(idle), 0u);
}

TEST_F(AudioTest, PositionStopsAtTheEndOfTheStream) {
  constexpr size_t kFrames = kRate / 10;
  const std::vector<uint8_t> short_mp3 = EncodeTestMp3(kFrames);
  const AudioStream stream = CreateStream(short_mp3);
  ASSERT_TRUE(AudioStart());
  ASSERT_TRUE(AudioStreamPlay(stream, true));
  ASSERT_TRUE(WaitUntil([&] { return AudioStreamPosition(stream) >= kFrames; }));
  std::this_thread::sleep_for(kSeveralCallbacks / 2);
  EXPECT_EQ(AudioStreamPosition(stream), kFrames);
}

TEST_F(AudioTest, FreeingTheStreamThatPlaysLeavesTheOutputRunning) {
  const AudioStream stream = CreateStream(LongMp3());
  PlayUntilUnderway(stream);

  ASSERT_TRUE(AudioStreamFree(stream));
  std::this_thread::sleep_for(kSeveralCallbacks / 2);
  EXPECT_FALSE(AudioStreamFree(stream));
  EXPECT_FALSE(AudioStreamPlay(stream, true));
  EXPECT_EQ(AudioStreamPosition(stream), 0u);

  // The freed handle's number may serve a new stream, which waits to be played like any.
  const AudioStream next = CreateStream(LongMp3());
  ASSERT_NE(next, 0u);
  std::this_thread::sleep_for(kSeveralCallbacks / 2);
  EXPECT_EQ(AudioStreamPosition(next), 0u);
  PlayUntilUnderway(next);
}

TEST_F(AudioTest, RefusesBuffersThatAreNotMp3) {
  const std::vector<uint8_t> zeros(8192, 0);
  EXPECT_EQ(CreateStream(zeros), 0u);
  EXPECT_EQ(AudioStreamCreateFromMemory(nullptr, 0), 0u);
}

TEST_F(AudioTest, RefusesUnknownHandles) {
  const AudioStream stream = CreateStream(LongMp3());
  ASSERT_NE(stream, 0u);
  for (AudioStream unknown : {AudioStream{0}, stream + 1, AudioStream{12345}}) {
    EXPECT_FALSE(AudioStreamPlay(unknown, true)) << unknown;
    EXPECT_FALSE(AudioStreamFree(unknown)) << unknown;
    EXPECT_EQ(AudioStreamPosition(unknown), 0u) << unknown;
  }
}

TEST_F(AudioTest, RefusesASecondInit) { EXPECT_FALSE(AudioInit(0, kRate)); }

// What the demo does when it cannot play music: everything after the failed init finds
// nothing to act on.
void ExpectEveryCallFindsNothing() {
  const std::vector<uint8_t> mp3 = EncodeTestMp3(kRate / 10);
  EXPECT_EQ(AudioStreamCreateFromMemory(mp3.data(), mp3.size()), 0u);
  EXPECT_FALSE(AudioStart());
  EXPECT_FALSE(AudioStreamPlay(1, true));
  EXPECT_EQ(AudioStreamPosition(1), 0u);
  EXPECT_FALSE(AudioPause());
  EXPECT_FALSE(AudioStop());
  EXPECT_FALSE(AudioStreamFree(1));
  EXPECT_FALSE(AudioFree());
}

TEST(AudioWithoutInitTest, CallsFindNothingToActOn) { ExpectEveryCallFindsNothing(); }

TEST(AudioWithoutInitTest, InitFailsWithoutAnOutputDriver) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(AudioInit(0, kRate));
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // as the test main sets it
  ExpectEveryCallFindsNothing();
}

TEST(AudioWithoutInitTest, InitRefusesDevicesThatDoNotExist) {
  EXPECT_FALSE(AudioInit(-1, kRate));
  EXPECT_FALSE(AudioInit(1000, kRate));
  EXPECT_FALSE(AudioInit(0, 0));
  ExpectEveryCallFindsNothing();
}

TEST(AudioWithoutInitTest, InitWorksAgainAfterFree) {
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(AudioInit(0, kRate)) << "round " << round;
    EXPECT_TRUE(AudioStart());
    EXPECT_TRUE(AudioFree());
  }
}

}  // namespace
