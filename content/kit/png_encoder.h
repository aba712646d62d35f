#pragma once
// PNG encoding of generated pictures, through libpng, with fixed settings so that the
// same picture always gives the same bytes.
#include <cstdint>
#include <vector>

#include "kit/pixel_image.h"

enum class PngChannels {
  kRgb,   // colour only: for textures the demo never blends by their alpha
  kRgba,  // colour and alpha
  kGrey,  // the red channel as grey
};

std::vector<uint8_t> EncodePng(const PixelImage& image, PngChannels channels);
