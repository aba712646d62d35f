#include "music/mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>

namespace {

// Encoding in pieces bounds the scratch buffer however long the sound is.
constexpr size_t kChunkFrames = 8192;
// lame's documented worst case for the bytes made from n frames is 1.25 n + 7200.
constexpr size_t kScratchBytes = kChunkFrames * 5 / 4 + 7200;

struct LameCloser {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

}  // namespace

std::vector<uint8_t> EncodeMp3(const std::vector<int16_t>& interleavedStereo, int sampleRate,
                               const Mp3Settings& settings) {
  const size_t frames = interleavedStereo.size() / 2;
  std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
  if (!lame) return {};
  lame_set_num_channels(lame.get(), 2);
  lame_set_in_samplerate(lame.get(), sampleRate);
  lame_set_out_samplerate(lame.get(), sampleRate);
  lame_set_brate(lame.get(), settings.kbitPerSecond);
  lame_set_quality(lame.get(), settings.quality);
  // lame keeps the first frame free for the tag, which can only be made at the end.
  lame_set_bWriteVbrTag(lame.get(), settings.writeTag ? 1 : 0);
  if (lame_init_params(lame.get()) < 0) return {};

  std::vector<uint8_t> mp3;
  std::vector<unsigned char> scratch(kScratchBytes);
  // lame reads its input through a non-const pointer but does not change it.
  auto* samples = const_cast<short*>(interleavedStereo.data());
  for (size_t start = 0; start < frames; start += kChunkFrames) {
    const size_t count = std::min(kChunkFrames, frames - start);
    const int bytes = lame_encode_buffer_interleaved(lame.get(), samples + 2 * start, static_cast<int>(count),
                                                     scratch.data(), static_cast<int>(scratch.size()));
    if (bytes < 0) return {};
    mp3.insert(mp3.end(), scratch.begin(), scratch.begin() + bytes);
  }
  const int bytes = lame_encode_flush(lame.get(), scratch.data(), static_cast<int>(scratch.size()));
  if (bytes < 0) return {};
  mp3.insert(mp3.end(), scratch.begin(), scratch.begin() + bytes);
  if (!settings.writeTag) return mp3;

  const size_t tagBytes = lame_get_lametag_frame(lame.get(), scratch.data(), scratch.size());
  if (tagBytes == 0 || tagBytes > scratch.size() || tagBytes > mp3.size()) return {};
  std::copy_n(scratch.begin(), tagBytes, mp3.begin());
  return mp3;
}
