// MP3 encoding: exact length through a gapless decoder, constant bit rate, repeatability.
#include <gtest/gtest.h>

#include <cmath>

#include "demo/mp3_decoder.h"
#include "music/mp3_encoder.h"

namespace {

constexpr int kRate = 44100;

// A 440 Hz tone on the left and 660 Hz on the right, at a quarter of full scale.
std::vector<int16_t> Tones(size_t frames) {
  std::vector<int16_t> pcm(2 * frames);
  for (size_t frame = 0; frame < frames; ++frame) {
    const double time = static_cast<double>(frame) / kRate;
    pcm[2 * frame] = static_cast<int16_t>(std::lround(8192 * std::sin(2 * 3.141592653589793 * 440 * time)));
    pcm[2 * frame + 1] = static_cast<int16_t>(std::lround(8192 * std::sin(2 * 3.141592653589793 * 660 * time)));
  }
  return pcm;
}

std::vector<int16_t> Decode(const std::vector<uint8_t>& mp3) {
  auto decoder = Mp3Decoder::Open(mp3.data(), mp3.size(), kRate);
  if (!decoder) return {};
  std::vector<int16_t> pcm(2 * (static_cast<size_t>(decoder->LengthInFrames()) + kRate));
  pcm.resize(2 * decoder->Read(pcm.data(), pcm.size() / 2));
  return pcm;
}

TEST(Mp3EncoderTest, DecodesToExactlyTheFramesEncodedWhateverTheLength) {
  // Shorter than one MP3 frame, a few frames, and not a multiple of the encoder's chunk.
  for (size_t frames : {100u, 5000u, 3 * 8192u + 77u}) {
    const std::vector<int16_t> pcm = Tones(frames);
    const std::vector<int16_t> decoded = Decode(EncodeMp3(pcm, kRate));
    EXPECT_EQ(decoded.size(), pcm.size()) << frames;
  }
}

TEST(Mp3EncoderTest, DecodedSoundMatchesTheInputWithoutDelay) {
  const std::vector<int16_t> pcm = Tones(kRate);
  const std::vector<int16_t> decoded = Decode(EncodeMp3(pcm, kRate));
  ASSERT_EQ(decoded.size(), pcm.size());
  double error = 0.0, signal = 0.0;
  for (size_t i = 0; i < pcm.size(); ++i) {
    error += std::pow(decoded[i] - pcm[i], 2.0);
    signal += std::pow(pcm[i], 2.0);
  }
  // At least 20 dB below the signal; a shift by a few frames would be far worse.
  EXPECT_LT(error, 0.01 * signal);
}

TEST(Mp3EncoderTest, KeepsToTheConstantBitRate) {
  const std::vector<int16_t> pcm = Tones(10 * kRate);
  for (int kbit : {128, 160}) {
    const double bytes = static_cast<double>(EncodeMp3(pcm, kRate, {kbit, 5}).size());
    EXPECT_NEAR(bytes, kbit * 1000.0 / 8.0 * 10.0, 0.02 * bytes) << kbit;
  }
}

TEST(Mp3EncoderTest, SameInputGivesTheSameBytes) {
  const std::vector<int16_t> pcm = Tones(2 * kRate);
  const std::vector<uint8_t> first = EncodeMp3(pcm, kRate);
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(first, EncodeMp3(pcm, kRate));
}

TEST(Mp3EncoderTest, NoSamplesStillMakeAWellFormedStream) {
  const std::vector<uint8_t> mp3 = EncodeMp3({}, kRate);
  ASSERT_GE(mp3.size(), 2u);
  EXPECT_EQ(mp3[0], 0xFF);  // an MPEG frame header's sync bits
  EXPECT_EQ(mp3[1] & 0xE0, 0xE0);
  EXPECT_TRUE(EncodeMp3({}, kRate, {.kbitPerSecond = 7}).empty());  // no such bit rate
}

}  // namespace
