#pragma once
// Ways for a fuzz target to read structure out of the fuzzer's bytes. Every read is
// bounded by the input: a field the input is too short for comes back empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/scene.h"

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return position_ == size_; }
  // The next byte, or 0 when none is left.
  uint8_t TakeByte();
  // The next `count` bytes, or as many as are left.
  std::vector<uint8_t> TakeBytes(size_t count);
  // A u32 length (little-endian) and that many bytes, or as many as are left.
  std::vector<uint8_t> TakeCountedBytes();
  // Everything left.
  std::vector<uint8_t> TakeRest();

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

// The streams of a scene storage packed as one input: for each stream a u8 name length,
// the name, then its bytes as TakeCountedBytes reads them. WriteSceneStreams is the other
// direction, for the seed corpus.
std::vector<SceneStream> ReadSceneStreams(FuzzInput& input);
std::vector<uint8_t> WriteSceneStreams(const std::vector<SceneStream>& streams);

// Stops the process in a way every fuzzer reports, for a broken contract that no
// sanitizer would notice (a loaded object that does not save to what loads again).
[[noreturn]] void FuzzContractBroken(const char* what);
