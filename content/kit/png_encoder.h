#pragma once
// PNG encoding of generated pictures (resources/png_encoder.h writes the bytes).
#include <cstdint>
#include <vector>

#include "kit/pixel_image.h"
#include "resources/png_encoder.h"

// kRgb for textures the demo never blends by their alpha, kGrey for the red channel as grey.
std::vector<uint8_t> EncodePng(const PixelImage& image, PngChannels channels);
