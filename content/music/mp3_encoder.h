#pragma once
// MP3 encoding of 16-bit stereo sound through libmp3lame, at a constant bit rate. The
// stream starts with an encoder tag frame that records the encoder's delay and padding,
// so that a gapless decoder gives back exactly the frames that went in.
#include <cstdint>
#include <vector>

struct Mp3Settings {
  int kbitPerSecond = 160;
  // lame's speed/quality trade-off: 0 best and slowest .. 9 fastest.
  int quality = 5;
  // Without the tag frame nothing tells a decoder the length: the decoded sound keeps the
  // encoder's delay and padding (for tests of decoders that must cope with that).
  bool writeTag = true;
};

// Encodes interleaved stereo samples (left, right, left, ...) at `sampleRate` Hz. Returns
// an empty buffer when the encoder refuses the settings. No samples give a stream of
// frames that hold only the encoder's delay and padding.
std::vector<uint8_t> EncodeMp3(const std::vector<int16_t>& interleavedStereo, int sampleRate,
                               const Mp3Settings& settings = {});
