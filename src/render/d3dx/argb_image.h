#pragma once
// Pictures of 32-bit 0xAARRGGBB pixels, row 0 at the top, as texture loading works on
// them before they are converted to a texture's format.
#include <cstdint>
#include <vector>

#include "render/d3d/d3d_types.h"

struct ArgbImage {
  DWORD width = 0, height = 0;
  std::vector<uint32_t> pixels;  // width * height, row by row
};

// Copies `width` x `height` pixels from memory whose rows start `pitch` bytes apart
// (pitch >= width * 4). Reads nothing beyond the last row's last pixel.
ArgbImage ReadArgbImage(const void* source, DWORD pitch, DWORD width, DWORD height);

// Shrinks (or stretches) `image` to `width` x `height` with a box filter: every channel of
// an output pixel is the average over the area of the input that the pixel covers, each
// input pixel weighted by how much of it lies in that area, rounded to nearest. Halving
// an even side is thus the plain 2 x 2 average; an odd side splits its middle pixel.
ArgbImage AverageDown(const ArgbImage& image, DWORD width, DWORD height);
