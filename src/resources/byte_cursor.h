#pragma once
// Reads forward through a byte buffer of known length; every read reports whether the
// bytes were there, so a decoder never looks past the end of its input.
#include <cstddef>
#include <cstdint>

class ByteCursor {
 public:
  ByteCursor(const uint8_t* data, size_t length) : data_(data), length_(length) {}

  // The next `count` bytes, or null (and nothing consumed) when fewer are left.
  const uint8_t* Take(size_t count) {
    if (count > length_ - position_) return nullptr;
    const uint8_t* bytes = data_ + position_;
    position_ += count;
    return bytes;
  }

  bool ReadByte(uint8_t& value) {
    const uint8_t* bytes = Take(1);
    if (bytes == nullptr) return false;
    value = bytes[0];
    return true;
  }

  bool ReadLittleEndian16(uint16_t& value) {
    const uint8_t* bytes = Take(2);
    if (bytes == nullptr) return false;
    value = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
    return true;
  }

 private:
  const uint8_t* data_;
  size_t length_;
  size_t position_ = 0;
};
