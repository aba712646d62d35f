#include "terrain/landscape_textures.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "kit/noise.h"
#include "terrain/shaping.h"

namespace {

constexpr int kRampSize = 256;
constexpr int kGrainSize = 256;

struct Band {
  float height;  // normalised ground height where this colour is pure
  Colour colour;
};

// Valley meadows through forest and scree to snow. The bands' heights shift a little
// across the landscape (with u) so that the tree and snow lines are not ruled straight.
constexpr std::array<Band, 9> kBands = {{
    {0.00f, {0.62f, 0.56f, 0.40f}},  // dry river bed
    {0.30f, {0.58f, 0.62f, 0.32f}},  // sunlit grass
    {0.44f, {0.42f, 0.62f, 0.22f}},  // meadow
    {0.54f, {0.22f, 0.42f, 0.16f}},  // pine forest
    {0.63f, {0.27f, 0.35f, 0.18f}},  // high forest
    {0.69f, {0.52f, 0.45f, 0.34f}},  // scrub and scree
    {0.78f, {0.64f, 0.61f, 0.58f}},  // bare rock
    {0.89f, {0.92f, 0.94f, 0.97f}},  // snow line
    {1.01f, {1.00f, 1.00f, 1.00f}},  // summit snow
}};

Colour BandColour(float height) {
  const auto upper = std::upper_bound(kBands.begin(), kBands.end(), height,
                                      [](float h, const Band& band) { return h < band.height; });
  if (upper == kBands.begin()) return upper->colour;
  if (upper == kBands.end()) return kBands.back().colour;
  const Band& lower = *(upper - 1);
  const float f = (height - lower.height) / (upper->height - lower.height);
  return Mix(lower.colour, upper->colour, SmoothStep(0.0f, 1.0f, f));
}

}  // namespace

PixelImage MakeHeightRamp() {
  PixelImage ramp(kRampSize, kRampSize);
  PaintEachPixel(ramp, [](float u, float v) {
    const float height = 1.01f - v;
    const float shift = 0.05f * (FractalNoise(u, 0.5f, 3, 3, 0.5f, 8100u) - 0.5f);
    const float tint = 0.94f + 0.12f * FractalNoise(u, v, 3, 2, 0.5f, 8200u);
    // Rock strata: thin bands of lighter and darker stone along the height lines.
    const float rockiness = SmoothStep(0.68f, 0.76f, height) * SmoothStep(0.9f, 0.86f, height);
    const float layer = ValueNoise(height * 90.0f, u * 2.0f, 128, 8250u) - 0.5f;
    const float strata = 1.0f + 0.12f * rockiness * layer;
    return BandColour(height + shift) * (tint * strata);
  });
  return ramp;
}

PixelImage MakeDetailGrain() {
  PixelImage grain(kGrainSize, kGrainSize);
  PaintEachPixel(grain, [](float u, float v) {
    const float clumps = FractalNoise(u, v, 8, 3, 0.5f, 8300u);
    const float fine = FractalNoise(u, v, 64, 2, 0.5f, 8400u);
    const float pebbles = CellDistance(u, v, 24, 8500u);
    const float shade = 0.62f + 0.22f * clumps + 0.18f * fine -
                        0.12f * std::max(0.0f, 0.25f - pebbles) * 4.0f;
    return Colour{shade, shade, shade};
  });
  return grain;
}
