#pragma once
// Decodes an MP3 held in memory to interleaved 16-bit stereo PCM at a fixed rate, with
// gapless decoding, so that an encoder's padding is trimmed and the decoded length equals
// the length that was encoded. Used by the audio output and by anything that needs the
// soundtrack's samples.
#include <cstddef>
#include <cstdint>
#include <memory>

class Mp3Decoder {
 public:
  // `data` must outlive the decoder. Returns null when the buffer is not a decodable MP3.
  static std::unique_ptr<Mp3Decoder> Open(const void* data, size_t length, uint32_t rate);
  ~Mp3Decoder();

  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  // Decodes up to `frames` stereo frames into `out` (2 * frames samples). Returns the
  // number of frames written; fewer than asked only at the end of the stream.
  size_t Read(int16_t* out, size_t frames);
  // Goes back to the first sample.
  bool Rewind();
  // Goes to stereo frame `frame` (0 is the first), where the next Read starts.
  bool SeekToFrame(uint64_t frame);
  // Total length in frames, or -1 when unknown.
  int64_t LengthInFrames();

 private:
  struct State;
  explicit Mp3Decoder(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};
