#include "fuzz_input.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

uint8_t FuzzInput::TakeByte() { return Empty() ? 0 : data_[position_++]; }

std::vector<uint8_t> FuzzInput::TakeBytes(size_t count) {
  const size_t taken = std::min(count, size_ - position_);
  std::vector<uint8_t> bytes(data_ + position_, data_ + position_ + taken);
  position_ += taken;
  return bytes;
}

std::vector<uint8_t> FuzzInput::TakeCountedBytes() {
  uint32_t length = 0;
  for (int i = 0; i < 4; ++i) length |= uint32_t{TakeByte()} << (8 * i);
  return TakeBytes(length);
}

std::vector<uint8_t> FuzzInput::TakeRest() { return TakeBytes(size_ - position_); }

std::vector<SceneStream> ReadSceneStreams(FuzzInput& input) {
  std::vector<SceneStream> streams;
  while (!input.Empty()) {
    const std::vector<uint8_t> name = input.TakeBytes(input.TakeByte());
    streams.emplace_back(std::string(name.begin(), name.end()), input.TakeCountedBytes());
  }
  return streams;
}

std::vector<uint8_t> WriteSceneStreams(const std::vector<SceneStream>& streams) {
  std::vector<uint8_t> out;
  for (const auto& [name, bytes] : streams) {
    const size_t nameLength = std::min<size_t>(name.size(), 255);
    out.push_back(static_cast<uint8_t>(nameLength));
    out.insert(out.end(), name.begin(), name.begin() + static_cast<ptrdiff_t>(nameLength));
    const auto length = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(length >> (8 * i)));
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

void FuzzContractBroken(const char* what) {
  std::fprintf(stderr, "fuzz target: %s\n", what);
  std::abort();
}
