#pragma once
// MP3 data made on the fly for tests, so that no sound file has to be checked in.
#include <cstddef>
#include <cstdint>
#include <vector>

// One sample of the test signal: a 440 Hz tone on the left channel and a 660 Hz tone on
// the right, at a quarter of full scale, starting at phase zero on frame 0.
int16_t TestSignalSample(size_t frame, int channel, uint32_t rate = 44100);

enum class EncoderTag {
  // The stream starts with a frame that tells its length and the encoder's delay and
  // padding, so that a gapless decoder gives back exactly the frames that were encoded.
  kWritten,
  // Nothing tells the length, and the decoded sound keeps the encoder's delay and padding.
  kOmitted,
};

// Encodes `frames` stereo frames of the test signal at `rate` Hz and a constant
// `kbit_per_second`. Returns an empty buffer if the encoder refuses the settings.
std::vector<uint8_t> EncodeTestMp3(size_t frames, uint32_t rate = 44100,
                                   int kbit_per_second = 128,
                                   EncoderTag tag = EncoderTag::kWritten);
