#include "support/test_mp3.h"

#include <cmath>
#include <numbers>

#include "music/mp3_encoder.h"

namespace {

constexpr double kToneHz[2] = {440.0, 660.0};
constexpr double kAmplitude = 8192.0;

}  // namespace

int16_t TestSignalSample(size_t frame, int channel, uint32_t rate) {
  const double time = static_cast<double>(frame) / rate;
  return static_cast<int16_t>(
      std::lround(kAmplitude * std::sin(2.0 * std::numbers::pi * kToneHz[channel] * time)));
}

std::vector<uint8_t> EncodeTestMp3(size_t frames, uint32_t rate, int kbit_per_second,
                                   EncoderTag tag) {
  std::vector<int16_t> pcm(2 * frames);
  for (size_t i = 0; i < frames; ++i) {
    pcm[2 * i] = TestSignalSample(i, 0, rate);
    pcm[2 * i + 1] = TestSignalSample(i, 1, rate);
  }
  return EncodeMp3(pcm, static_cast<int>(rate),
                   {kbit_per_second, /*quality=*/7, tag == EncoderTag::kWritten});
}
