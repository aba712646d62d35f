#pragma once
// Reads forward through a byte buffer of known length; every read reports whether the
// bytes were there, so a decoder never looks past the end of its input. The cursor also
// remembers why its first failed read failed, so that a reader can tell a file cut short
// from one whose counts claim more than it holds.
#include <cstddef>
#include <cstdint>

class ByteCursor {
 public:
  enum class Shortfall : uint8_t {
    kNone,
    kDataEnded,       // a fixed-size field ran past the end
    kCountTooLarge,   // a count of elements needs more bytes than are left
    kLengthTooLarge,  // a byte length (of a name or text) exceeds what is left
  };

  ByteCursor(const uint8_t* data, size_t length) : data_(data), length_(length) {}

  size_t Remaining() const { return length_ - position_; }
  Shortfall FirstShortfall() const { return shortfall_; }

  // Records why a read cannot be served, unless an earlier failure is already recorded.
  void NoteShortfall(Shortfall kind) {
    if (shortfall_ == Shortfall::kNone) shortfall_ = kind;
  }

  // The next `count` bytes, or null (and nothing consumed) when fewer are left.
  const uint8_t* Take(size_t count) {
    if (count > Remaining()) {
      NoteShortfall(Shortfall::kDataEnded);
      return nullptr;
    }
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
  Shortfall shortfall_ = Shortfall::kNone;
};
