#pragma once
// Builds a byte buffer field by field, little-endian and without padding: the writing
// counterpart of ByteCursor, for the records the tools save.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class ByteWriter {
 public:
  void WriteU16(uint16_t value) { AppendLittleEndian(value, 2); }
  void WriteU32(uint32_t value) { AppendLittleEndian(value, 4); }
  void WriteF32(float value) { WriteU32(std::bit_cast<uint32_t>(value)); }
  void WriteBytes(const uint8_t* data, size_t count) {
    bytes_.insert(bytes_.end(), data, data + count);
  }

  // Hands over everything written so far and starts empty again.
  std::vector<uint8_t> TakeBytes() { return std::exchange(bytes_, {}); }

 private:
  void AppendLittleEndian(uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }

  std::vector<uint8_t> bytes_;
};
