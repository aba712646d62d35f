#include "soundtrack_samples.h"

#include <gtest/gtest.h>

#include "support/test_mp3.h"

namespace {

constexpr size_t kFrames = 30000;

TEST(SoundtrackSamplesTest, DemoTimeRoundsToTheNearestSample) {
  EXPECT_EQ(SoundtrackSampleAt(0.0), 0);
  EXPECT_EQ(SoundtrackSampleAt(50.0), 2205000);
  EXPECT_EQ(SoundtrackSampleAt(1.0 / 3.0), 14700);
  EXPECT_EQ(SoundtrackSampleAt(1.0 / 30.0 + 0.4 / kSoundtrackRate), 1470);
  EXPECT_EQ(SoundtrackSampleAt(1.0 / 30.0 + 0.6 / kSoundtrackRate), 1471);
}

TEST(SoundtrackSamplesTest, ReadsFromItsFirstSampleAndIsSilentAfterTheEnd) {
  const std::vector<uint8_t> mp3 = EncodeTestMp3(kFrames);
  ASSERT_FALSE(mp3.empty());
  std::vector<int16_t> whole(2 * kFrames);
  ASSERT_EQ(Mp3Decoder::Open(mp3.data(), mp3.size(), kSoundtrackRate)->Read(whole.data(), kFrames),
            kFrames);

  // From a first sample past the decoder's first chunk, read in two uneven pieces that run
  // over the end.
  constexpr size_t kFirst = 20001;
  SoundtrackSamples samples(mp3, kFirst);
  std::vector<int16_t> read(2 * 12000, 1);
  samples.Read(read.data(), 3000);
  samples.Read(read.data() + 2 * 3000, 9000);
  for (size_t i = 0; i < read.size(); ++i) {
    const size_t frame = kFirst + i / 2;
    ASSERT_EQ(read[i], frame < kFrames ? whole[2 * kFirst + i] : 0) << "sample " << i;
  }
  samples.Read(read.data(), 10);
  EXPECT_EQ(read[0], 0);

  // A first sample after the end gives silence from the start.
  SoundtrackSamples late(mp3, 2 * kFrames);
  std::fill(read.begin(), read.end(), int16_t{1});
  late.Read(read.data(), 100);
  EXPECT_TRUE(std::all_of(read.begin(), read.begin() + 200, [](int16_t s) { return s == 0; }));
}

TEST(SoundtrackSamplesTest, BytesThatAreNotMusicAreRefused) {
  const std::vector<uint8_t> noise(4000, 0x5A);
  EXPECT_THROW(SoundtrackSamples(noise, 0), std::runtime_error);
}

}  // namespace
