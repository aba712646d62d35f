#include "soundtrack_samples.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

int64_t SoundtrackSampleAt(double seconds) {
  return std::llround(seconds * static_cast<double>(kSoundtrackRate));
}

SoundtrackSamples::SoundtrackSamples(const std::vector<uint8_t>& mp3, int64_t first)
    : decoder_(Mp3Decoder::Open(mp3.data(), mp3.size(), kSoundtrackRate)) {
  if (!decoder_) throw std::runtime_error("the soundtrack muzik.mp3 does not decode");
  // Decoding from the start, rather than seeking, lands on exactly the sample asked for.
  constexpr size_t kChunk = 16384;
  std::vector<int16_t> skipped(2 * kChunk);
  for (int64_t left = std::max<int64_t>(first, 0); left > 0 && !ended_;) {
    const size_t wanted = std::min(kChunk, static_cast<size_t>(left));
    const size_t read = decoder_->Read(skipped.data(), wanted);
    ended_ = read < wanted;
    left -= static_cast<int64_t>(read);
  }
}

void SoundtrackSamples::Read(int16_t* out, size_t frames) {
  const size_t read = ended_ ? 0 : decoder_->Read(out, frames);
  ended_ = ended_ || read < frames;
  std::fill(out + 2 * read, out + 2 * frames, int16_t{0});
}
