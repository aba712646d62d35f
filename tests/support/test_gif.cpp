#include "support/test_gif.h"

#include <algorithm>
#include <bit>
#include <map>

namespace {

constexpr uint32_t kTableLimit = 4096;

// Packs codes least significant bit first.
class CodeWriter {
 public:
  void Write(uint32_t code, uint32_t width) {
    bits_ |= uint64_t{code} << bitCount_;
    bitCount_ += width;
    while (bitCount_ >= 8) Flush();
  }
  std::vector<uint8_t> Finish() {
    if (bitCount_ > 0) Flush();
    return bytes_;
  }

 private:
  void Flush() {
    bytes_.push_back(static_cast<uint8_t>(bits_));
    bits_ >>= 8;
    bitCount_ = bitCount_ >= 8 ? bitCount_ - 8 : 0;
  }
  std::vector<uint8_t> bytes_;
  uint64_t bits_ = 0;
  uint32_t bitCount_ = 0;
};

std::vector<uint8_t> EncodeLzw(const TestGif& gif, bool* tableFilled) {
  const uint32_t clearCode = 1u << gif.minimumCodeSize;
  CodeWriter writer;
  uint32_t width = gif.minimumCodeSize + 1u;
  writer.Write(clearCode, width);
  std::map<uint32_t, uint32_t> table;  // (prefix code << 8 | byte) -> code
  uint32_t nextEncoderCode = clearCode + 2;
  // The decoder adds each entry one code later than the encoder; its width follows that.
  uint32_t decoderNextCode = clearCode + 2;
  uint32_t emitted = 0;
  auto emit = [&](uint32_t code) {
    writer.Write(code, width);
    if (++emitted >= 2 && decoderNextCode < kTableLimit) {
      ++decoderNextCode;
      if (std::has_single_bit(decoderNextCode) && width < 12) ++width;
    }
  };
  uint32_t current = gif.indices.at(0);
  for (size_t i = 1; i < gif.indices.size(); ++i) {
    const uint32_t key = current << 8 | gif.indices[i];
    if (auto found = table.find(key); found != table.end()) {
      current = found->second;
      continue;
    }
    emit(current);
    if (nextEncoderCode < kTableLimit) table[key] = nextEncoderCode++;
    current = gif.indices[i];
  }
  emit(current);
  writer.Write(clearCode + 1, width);
  if (tableFilled != nullptr) *tableFilled = nextEncoderCode == kTableLimit;
  return writer.Finish();
}

void AppendLittleEndian16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace

std::vector<uint8_t> EncodeTestGif(const TestGif& gif, bool* tableFilled) {
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  AppendLittleEndian16(out, gif.width);
  AppendLittleEndian16(out, gif.height);
  const uint32_t entries = static_cast<uint32_t>(gif.palette.size() / 3);
  out.push_back(static_cast<uint8_t>(0x80 | (std::countr_zero(entries) - 1)));
  out.push_back(0);  // background colour
  out.push_back(0);  // aspect ratio
  out.insert(out.end(), gif.palette.begin(), gif.palette.end());
  out.push_back(0x2C);
  AppendLittleEndian16(out, 0);
  AppendLittleEndian16(out, 0);
  AppendLittleEndian16(out, gif.width);
  AppendLittleEndian16(out, gif.height);
  out.push_back(0);
  out.push_back(gif.minimumCodeSize);
  const std::vector<uint8_t> codes = EncodeLzw(gif, tableFilled);
  for (size_t start = 0; start < codes.size(); start += 255) {
    const size_t blockLength = std::min<size_t>(255, codes.size() - start);
    out.push_back(static_cast<uint8_t>(blockLength));
    out.insert(out.end(), codes.begin() + start, codes.begin() + start + blockLength);
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}
