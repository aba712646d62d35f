#pragma once
// "dnatex.raw", the skin of the helix's two tubes: 256 x 256 bytes of intensity, row-major.
// The helix rasteriser reads one texture row per screen row of its panel (so rows run along
// the tubes) and sweeps the columns around a tube's cross-section, multiplying each texel
// by its diffuse shade.
#include <cstdint>
#include <vector>

namespace surfaces {

inline constexpr int kDnaTextureSize = 256;

std::vector<uint8_t> MakeDnaTexture();

}  // namespace surfaces
