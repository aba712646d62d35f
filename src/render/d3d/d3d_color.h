#pragma once
// D3DCOLOR (0xAARRGGBB) as the red, green, blue, alpha floats OpenGL takes.
#include <array>

#include "render/d3d/d3d_types.h"

inline std::array<float, 4> ColorToRgba(D3DCOLOR color) {
  const auto channel = [color](int shift) {
    return static_cast<float>((color >> shift) & 0xFFu) / 255.0f;
  };
  return {channel(16), channel(8), channel(0), channel(24)};
}
