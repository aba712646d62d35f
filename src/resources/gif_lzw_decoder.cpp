#include "resources/gif_lzw_decoder.h"

namespace {

constexpr uint32_t kMaxCodeWidth = 12;

// Pulls codes out of the data sub-blocks.
class GifCodeReader {
 public:
  explicit GifCodeReader(ByteCursor& source) : source_(source) {}

  // False when the data, or the sub-blocks (an empty one ends them), run out first.
  bool Read(uint32_t width, uint32_t& code) {
    while (bitCount_ < width) {
      if (blockLeft_ == 0) {
        uint8_t blockLength = 0;
        if (!source_.ReadByte(blockLength) || blockLength == 0) return false;
        blockLeft_ = blockLength;
      }
      uint8_t byte = 0;
      if (!source_.ReadByte(byte)) return false;
      --blockLeft_;
      bits_ |= uint32_t{byte} << bitCount_;
      bitCount_ += 8;
    }
    code = bits_ & ((1u << width) - 1);
    bits_ >>= width;
    bitCount_ -= width;
    return true;
  }

 private:
  ByteCursor& source_;
  uint32_t bits_ = 0;
  uint32_t bitCount_ = 0;
  uint32_t blockLeft_ = 0;
};

}  // namespace

bool GifLzwDecoder::Decode(ByteCursor& source, uint32_t minimumCodeSize, uint8_t* indices,
                           size_t count) {
  if (minimumCodeSize < 2 || minimumCodeSize > 9) return false;
  const uint32_t clearCode = 1u << minimumCodeSize;
  const uint32_t endCode = clearCode + 1;
  const uint32_t firstFreeCode = clearCode + 2;

  suffix_.fill(0);
  prefix_.fill(0);
  for (uint32_t code = 0; code < clearCode; ++code) suffix_[code] = static_cast<uint8_t>(code);

  GifCodeReader codes(source);
  uint32_t width = minimumCodeSize + 1;
  uint32_t limit = 1u << width;
  uint32_t nextFreeCode = firstFreeCode;
  uint32_t previousCode = 0;
  uint8_t firstByte = 0;
  bool awaitingFirstCode = true;  // at the start and after every clear code
  size_t written = 0;

  while (written < count) {
    uint32_t code = 0;
    if (!codes.Read(width, code)) return false;
    if (code == clearCode) {
      width = minimumCodeSize + 1;
      limit = 1u << width;
      nextFreeCode = firstFreeCode;
      awaitingFirstCode = true;
      continue;
    }
    // An end code before the picture is complete ends it there: the indices not reached
    // keep what the caller put in them.
    if (code == endCode) return true;

    if (awaitingFirstCode) {
      // The first code names a single byte; an unknown one is read as 0.
      if (code >= nextFreeCode) code = 0;
      indices[written++] = static_cast<uint8_t>(code);
      previousCode = code;
      firstByte = static_cast<uint8_t>(code);
      awaitingFirstCode = false;
      continue;
    }

    const uint32_t incomingCode = code;
    size_t depth = 0;
    if (code >= nextFreeCode) {
      // A code not in the table yet: the previous string followed by its own first byte.
      stack_[depth++] = firstByte;
      code = previousCode;
    }
    while (code >= firstFreeCode) {
      // Damaged data can chain entries into a loop; no real string outgrows the stack.
      if (depth == kTableSize - 1) return false;
      stack_[depth++] = suffix_[code];
      code = prefix_[code];
    }
    firstByte = suffix_[code];
    stack_[depth++] = firstByte;

    if (nextFreeCode < limit) {
      suffix_[nextFreeCode] = firstByte;
      prefix_[nextFreeCode] = static_cast<uint16_t>(previousCode);
      ++nextFreeCode;
      if (nextFreeCode == limit && width < kMaxCodeWidth) {
        limit <<= 1;
        ++width;
      }
    }
    // Once the table is full no entries are added and the width stays at 12 bits.

    while (depth > 0 && written < count) indices[written++] = stack_[--depth];
    previousCode = incomingCode;
  }
  return true;
}
