#include "support/test_mp3.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double kToneHz[2] = {440.0, 660.0};
constexpr double kAmplitude = 8192.0;
// Encoding in pieces bounds the scratch buffers however long the signal is.
constexpr size_t kChunkFrames = 4096;
// lame's documented worst case for the bytes produced from n frames is 1.25 n + 7200.
constexpr size_t kMp3BytesPerChunk = kChunkFrames * 5 / 4 + 7200;

struct LameDeleter {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

}  // namespace

int16_t TestSignalSample(size_t frame, int channel, uint32_t rate) {
  const double time = static_cast<double>(frame) / rate;
  return static_cast<int16_t>(
      std::lround(kAmplitude * std::sin(2.0 * std::numbers::pi * kToneHz[channel] * time)));
}

std::vector<uint8_t> EncodeTestMp3(size_t frames, uint32_t rate, int kbit_per_second,
                                   EncoderTag tag) {
  std::unique_ptr<lame_global_flags, LameDeleter> lame(lame_init());
  if (!lame) return {};
  lame_set_num_channels(lame.get(), 2);
  lame_set_in_samplerate(lame.get(), static_cast<int>(rate));
  lame_set_out_samplerate(lame.get(), static_cast<int>(rate));
  lame_set_brate(lame.get(), kbit_per_second);
  lame_set_quality(lame.get(), 7);
  // With the tag on, lame leaves room for it in the first frame it writes; the tag itself
  // can only be made once everything is encoded.
  lame_set_bWriteVbrTag(lame.get(), tag == EncoderTag::kWritten ? 1 : 0);
  if (lame_init_params(lame.get()) < 0) return {};

  std::vector<uint8_t> mp3;
  std::vector<short> pcm(2 * kChunkFrames);
  std::vector<unsigned char> encoded(kMp3BytesPerChunk);
  for (size_t start = 0; start < frames; start += kChunkFrames) {
    const size_t count = std::min(kChunkFrames, frames - start);
    for (size_t i = 0; i < count; ++i) {
      pcm[2 * i] = TestSignalSample(start + i, 0, rate);
      pcm[2 * i + 1] = TestSignalSample(start + i, 1, rate);
    }
    const int bytes = lame_encode_buffer_interleaved(lame.get(), pcm.data(), static_cast<int>(count),
                                                     encoded.data(), static_cast<int>(encoded.size()));
    if (bytes < 0) return {};
    mp3.insert(mp3.end(), encoded.begin(), encoded.begin() + bytes);
  }
  const int bytes = lame_encode_flush(lame.get(), encoded.data(), static_cast<int>(encoded.size()));
  if (bytes < 0) return {};
  mp3.insert(mp3.end(), encoded.begin(), encoded.begin() + bytes);
  if (tag == EncoderTag::kOmitted) return mp3;

  const size_t tag_size = lame_get_lametag_frame(lame.get(), encoded.data(), encoded.size());
  if (tag_size == 0 || tag_size > encoded.size() || tag_size > mp3.size()) return {};
  std::copy_n(encoded.begin(), tag_size, mp3.begin());
  return mp3;
}
