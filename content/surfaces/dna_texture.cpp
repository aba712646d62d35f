#include "surfaces/dna_texture.h"

#include <cmath>

#include "kit/noise.h"
#include "surfaces/surface_shading.h"
#include "kit/portable_maths.h"

namespace surfaces {
namespace {

constexpr int kRibs = 24;          // rings down the panel: about 20 screen pixels apart
constexpr int kNoisePeriod = 64;   // large enough that no lattice wrap shows
constexpr float kDarkest = 52.0f;  // grooves stay visible under the diffuse shade
constexpr float kBrightest = 236.0f;

// Intensity 0..1 at (around, along), both 0..1 over the texture.
float TubeSkin(float around, float along) {
  // Rings that wander and swell a little, as grown tissue does. The helix samples one row of
  // this texture per row of its 256-row panel and shows the panel about twice enlarged, so
  // the rings stay close to level and their grooves soft and several rows wide: a steep
  // or sharp groove turns into a staircase on screen.
  const float wander = ValueNoise(around * 3.0f, along * 7.0f, kNoisePeriod, 11) - 0.5f;
  const float swell = ValueNoise(around * 5.0f, along * 24.0f, kNoisePeriod, 13);
  const float p = Fract(along * kRibs + wander * 0.25f);
  // A rounded ring between soft grooves; thicker rings have deeper grooves.
  const float crest = portable::pow(portable::sin(kPi * p), 1.0f + 0.8f * swell);
  // Rows grow downwards, so the upper flank of a ring faces a light from above and the
  // lower flank falls into shadow.
  const float flank = portable::cos(kPi * p);

  // Pores in the grooves and fine fibres across the rings.
  const float pore = 1.0f - Smoothstep(0.05f, 0.22f, CellDistance(around, along, 12, 23));
  const float fibre = ValueNoise(around * 40.0f, along * 3.0f, kNoisePeriod, 31);
  // Slow blotches of denser and thinner tissue.
  const float blotch = FractalNoise(around, along, 4, 3, 0.5f, 47);

  float value = 0.12f + 0.70f * crest + 0.22f * flank;
  value += (blotch - 0.5f) * 0.30f + (fibre - 0.5f) * 0.05f;
  value -= pore * (1.0f - crest) * 0.3f;
  return Saturate(value);
}

}  // namespace

std::vector<uint8_t> MakeDnaTexture() {
  std::vector<uint8_t> texture(kDnaTextureSize * kDnaTextureSize);
  for (int row = 0; row < kDnaTextureSize; ++row) {
    for (int column = 0; column < kDnaTextureSize; ++column) {
      const float around = (static_cast<float>(column) + 0.5f) / kDnaTextureSize;
      const float along = (static_cast<float>(row) + 0.5f) / kDnaTextureSize;
      const float value = kDarkest + (kBrightest - kDarkest) * TubeSkin(around, along);
      texture[row * kDnaTextureSize + column] = static_cast<uint8_t>(std::lround(value));
    }
  }
  return texture;
}

}  // namespace surfaces
