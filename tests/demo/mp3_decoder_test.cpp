#include "demo/mp3_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string_view>

#include "support/test_mp3.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr size_t kMpegFrameSamples = 1152;

// Decodes everything that is left, in reads of an uneven size so that the reads do not
// line up with the MPEG frames.
std::vector<int16_t> DecodeToEnd(Mp3Decoder& decoder) {
  constexpr size_t kReadFrames = 1000;
  std::vector<int16_t> samples;
  std::vector<int16_t> buffer(2 * kReadFrames);
  while (size_t frames = decoder.Read(buffer.data(), kReadFrames)) {
    samples.insert(samples.end(), buffer.begin(), buffer.begin() + 2 * frames);
  }
  return samples;
}

std::unique_ptr<Mp3Decoder> OpenBuffer(const std::vector<uint8_t>& data, uint32_t rate = kRate) {
  return Mp3Decoder::Open(data.data(), data.size(), rate);
}
// The decoder reads the buffer as it goes, so the buffer has to outlive it.
std::unique_ptr<Mp3Decoder> OpenBuffer(std::vector<uint8_t>&& data, uint32_t rate = kRate) = delete;

class Mp3DecoderLengthTest : public testing::TestWithParam<size_t> {};

TEST_P(Mp3DecoderLengthTest, DecodesExactlyTheEncodedFrames) {
  const size_t frames = GetParam();
  const std::vector<uint8_t> mp3 = EncodeTestMp3(frames);
  auto decoder = OpenBuffer(mp3);
  ASSERT_NE(decoder, nullptr);
  EXPECT_EQ(decoder->LengthInFrames(), static_cast<int64_t>(frames));
  EXPECT_EQ(DecodeToEnd(*decoder).size(), 2 * frames);
  int16_t after_end[2];
  EXPECT_EQ(decoder->Read(after_end, 1), 0u);
}

INSTANTIATE_TEST_SUITE_P(Lengths, Mp3DecoderLengthTest,
                         testing::Values(10 * kMpegFrameSamples, 44100, 1000));

TEST(Mp3DecoderTest, GivesBackTheEncodedSignalWithoutDelay) {
  const size_t frames = 8 * kMpegFrameSamples;
  const std::vector<uint8_t> mp3 = EncodeTestMp3(frames);
  auto decoder = OpenBuffer(mp3);
  ASSERT_NE(decoder, nullptr);
  const std::vector<int16_t> samples = DecodeToEnd(*decoder);
  ASSERT_EQ(samples.size(), 2 * frames);

  // An encoder delay that is not trimmed, or channels that are swapped, leave an error as
  // large as the signal; the coding error of a steady tone is a few percent of it.
  for (int channel = 0; channel < 2; ++channel) {
    double error_energy = 0;
    double signal_energy = 0;
    for (size_t frame = 0; frame < frames; ++frame) {
      const double expected = TestSignalSample(frame, channel);
      const double error = samples[2 * frame + channel] - expected;
      error_energy += error * error;
      signal_energy += expected * expected;
    }
    EXPECT_LT(std::sqrt(error_energy / signal_energy), 0.1) << "channel " << channel;
  }
}

TEST(Mp3DecoderTest, KnowsTheExactLengthOfAStreamWithoutAnEncoderTag) {
  // Frames of two sizes one after the other: a length estimated from the first frame's
  // size would be several times too long.
  std::vector<uint8_t> mp3 = EncodeTestMp3(10 * kMpegFrameSamples, kRate, 32, EncoderTag::kOmitted);
  const std::vector<uint8_t> larger_frames =
      EncodeTestMp3(10 * kMpegFrameSamples, kRate, 320, EncoderTag::kOmitted);
  mp3.insert(mp3.end(), larger_frames.begin(), larger_frames.end());
  auto decoder = OpenBuffer(mp3);
  ASSERT_NE(decoder, nullptr);
  const int64_t length = decoder->LengthInFrames();
  EXPECT_EQ(length, static_cast<int64_t>(DecodeToEnd(*decoder).size() / 2));
}

TEST(Mp3DecoderTest, RewindGivesTheSameSamplesAgain) {
  const std::vector<uint8_t> mp3 = EncodeTestMp3(5 * kMpegFrameSamples + 300);
  auto decoder = OpenBuffer(mp3);
  ASSERT_NE(decoder, nullptr);
  const std::vector<int16_t> first = DecodeToEnd(*decoder);
  ASSERT_TRUE(decoder->Rewind());
  EXPECT_EQ(DecodeToEnd(*decoder), first);

  // Also from the middle of the stream.
  ASSERT_TRUE(decoder->Rewind());
  std::vector<int16_t> part(2 * 2000);
  ASSERT_EQ(decoder->Read(part.data(), 2000), 2000u);
  ASSERT_TRUE(decoder->Rewind());
  EXPECT_EQ(DecodeToEnd(*decoder), first);
}

TEST(Mp3DecoderTest, ResamplesToTheRequestedRate) {
  // 22.05 kHz in, 44.1 kHz out: twice the frames. Resampling is not sample-exact at the
  // ends, so allow an MPEG frame either way.
  const size_t frames = 10 * kMpegFrameSamples;
  const std::vector<uint8_t> mp3 = EncodeTestMp3(frames, 22050);
  auto decoder = OpenBuffer(mp3, 44100);
  ASSERT_NE(decoder, nullptr);
  const size_t decoded = DecodeToEnd(*decoder).size() / 2;
  EXPECT_NEAR(static_cast<double>(decoded), 2.0 * frames, kMpegFrameSamples);
}

TEST(Mp3DecoderTest, RefusesBuffersThatAreNotMp3) {
  const std::vector<uint8_t> empty;
  EXPECT_EQ(OpenBuffer(empty), nullptr);
  EXPECT_EQ(Mp3Decoder::Open(nullptr, 100, kRate), nullptr);
  const std::vector<uint8_t> zeros(4096, 0);
  EXPECT_EQ(OpenBuffer(zeros), nullptr);
  const std::vector<uint8_t> ones(4096, 0xFF);
  EXPECT_EQ(OpenBuffer(ones), nullptr);
  constexpr std::string_view kText = "This is plain text and nothing like an MPEG audio stream.";
  const std::vector<uint8_t> text(kText.begin(), kText.end());
  EXPECT_EQ(OpenBuffer(text), nullptr);

  std::mt19937 random(1234);
  for (size_t size : {1, 4, 417, 4096, 65536}) {
    std::vector<uint8_t> noise(size);
    for (uint8_t& byte : noise) byte = static_cast<uint8_t>(random());
    EXPECT_EQ(OpenBuffer(noise), nullptr) << size << " random bytes";
  }
}

TEST(Mp3DecoderTest, RefusesAStreamWithoutSound) {
  // Well-formed frames, all of which are the encoder's delay and padding.
  const std::vector<uint8_t> mp3 = EncodeTestMp3(0);
  ASSERT_FALSE(mp3.empty());
  EXPECT_EQ(OpenBuffer(mp3), nullptr);
}

TEST(Mp3DecoderTest, TruncatedDataDecodesWhatIsThere) {
  const size_t frames = 20 * kMpegFrameSamples;
  std::vector<uint8_t> mp3 = EncodeTestMp3(frames);
  mp3.resize(mp3.size() / 2);
  auto decoder = OpenBuffer(mp3);
  ASSERT_NE(decoder, nullptr);
  const size_t decoded = DecodeToEnd(*decoder).size() / 2;
  EXPECT_GT(decoded, 0u);
  EXPECT_LT(decoded, frames);

  // Cut inside the tag frame: nothing to decode.
  mp3.resize(100);
  EXPECT_EQ(OpenBuffer(mp3), nullptr);
}

TEST(Mp3DecoderTest, CorruptedDataDecodesToTheEndWithoutGrowing) {
  const size_t frames = 20 * kMpegFrameSamples;
  std::vector<uint8_t> mp3 = EncodeTestMp3(frames);
  std::mt19937 random(99);
  for (size_t i = mp3.size() / 4; i < mp3.size() * 3 / 4; i += 7) {
    mp3[i] = static_cast<uint8_t>(random());
  }
  auto decoder = OpenBuffer(mp3);
  ASSERT_NE(decoder, nullptr);
  EXPECT_LE(DecodeToEnd(*decoder).size(), 2 * frames);
}

}  // namespace
