#pragma once
// The soundtrack's samples for a video, decoded from the same MP3 bytes the demo plays:
// demo time t is the sample at round(t * 44100), demo time 0 the music's first sample.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "demo/mp3_decoder.h"

// The soundtrack's samples per second.
constexpr uint32_t kSoundtrackRate = 44100;

// The soundtrack sample shown with demo time `seconds`.
int64_t SoundtrackSampleAt(double seconds);

class SoundtrackSamples {
 public:
  // Reads from sample `first` on; `mp3` must outlive this. Throws std::runtime_error when
  // the bytes do not decode.
  SoundtrackSamples(const std::vector<uint8_t>& mp3, int64_t first);

  // The next `frames` stereo frames, interleaved; silence after the music's end.
  void Read(int16_t* out, size_t frames);

 private:
  std::unique_ptr<Mp3Decoder> decoder_;
  bool ended_ = false;
};
