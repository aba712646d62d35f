#pragma once
// Builds PNG files in memory for the image reader tests.
#include <png.h>

#include <cstdint>
#include <vector>

struct TestPng {
  uint32_t width = 0;
  uint32_t height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  // Raw rows as PNG stores them: packed samples, 16-bit samples big-endian.
  std::vector<std::vector<uint8_t>> rows{};
  std::vector<png_color> palette{};
  std::vector<uint8_t> paletteAlpha{};  // tRNS for palette pictures
  bool transparentGrey = false;  // tRNS marking grey level 0 transparent
};

// The encoded file; empty if libpng refused the description.
std::vector<uint8_t> EncodeTestPng(const TestPng& png);
