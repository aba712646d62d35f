#pragma once
// The variable-width LZW decoder for GIF image data: codes of 3 to 12 bits, least
// significant bit first, carried in data sub-blocks (a length byte, then that many bytes).
// Its tables live in the object, so each reader decodes independently.
#include <array>
#include <cstddef>
#include <cstdint>

#include "resources/byte_cursor.h"

class GifLzwDecoder {
 public:
  // Decodes palette indices into `indices[0..count)` from the sub-blocks at `source`.
  // Decoding stops once `count` indices are written, or earlier at an end code, leaving
  // the indices after it as they were. False for a minimum code size outside 2..9, data
  // that runs out (an empty sub-block or the end of the bytes) before either, or codes
  // whose strings cannot be resolved.
  bool Decode(ByteCursor& source, uint32_t minimumCodeSize, uint8_t* indices, size_t count);

 private:
  // Codes 0..4095 plus one spare entry; the stack holds one string, which is never longer
  // than the table.
  static constexpr size_t kTableSize = 4097;

  std::array<uint8_t, kTableSize> suffix_{};
  std::array<uint16_t, kTableSize> prefix_{};
  std::array<uint8_t, kTableSize> stack_{};
};
