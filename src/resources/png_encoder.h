#pragma once
// PNG encoding through libpng, with fixed settings (8 bits a channel, no interlacing,
// compression level 9) so that the same pixels always give the same bytes. The archive's
// generated pictures and the capture tool's frames are both written with it.
#include <cstdint>
#include <span>
#include <vector>

enum class PngChannels {
  kGrey = 1,  // one byte a pixel
  kRgb = 3,   // red, green, blue
  kRgba = 4,  // red, green, blue, alpha
};

// `pixels` holds `height` rows of `width` pixels, the top row first, each pixel the bytes
// `channels` names. Throws std::invalid_argument when the sizes disagree and
// std::runtime_error when libpng fails.
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, PngChannels channels,
                               std::span<const uint8_t> pixels);
