#pragma once
// Builds single-image GIF files in memory for the image reader tests, with an LZW encoder
// that, like the reader, stops adding codes once the 4096-entry table is full.
#include <cstdint>
#include <vector>

struct TestGif {
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t minimumCodeSize = 2;
  std::vector<uint8_t> palette{};  // red, green, blue per entry; 2, 4, 8, ... 256 entries
  std::vector<uint8_t> indices{};  // width x height palette indices, row by row
};

// The encoded file. `tableFilled`, when given, tells whether the code table filled up.
std::vector<uint8_t> EncodeTestGif(const TestGif& gif, bool* tableFilled = nullptr);
