#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "scenes/texture_painters.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

// A chrome reflection across v: the sky above the horizon (v from 1 down to 0.5 is the top
// half of a letter: its texture coordinate runs downward from the middle and wraps) and
// the ground below (v from 0 to 0.5).
Colour HorizonReflection(float u, float v, Colour skyHigh, Colour skyLow, Colour groundNear,
                         Colour groundFar, uint32_t seed) {
  const float ripple = (FractalNoise(u, v, 8, 3, 0.5f, seed) - 0.5f) * 0.08f;
  if (v >= 0.5f) {
    const float height = std::clamp((1 - v) * 2 + ripple, 0.0f, 1.0f);  // 0 at the horizon
    const Colour sky = Mix(skyLow, skyHigh, portable::pow(height, 0.7f));
    return Mix(Colour{1, 1, 1, 1}, sky, std::clamp(height * 12, 0.0f, 1.0f));
  }
  const float depth = std::clamp(v * 2 + ripple, 0.0f, 1.0f);
  const Colour ground = Mix(groundNear, groundFar, portable::pow(depth, 0.6f));
  return Mix(Colour{1, 0.95f, 0.85f, 1}, ground, std::clamp(depth * 6, 0.0f, 1.0f));
}

}  // namespace

PixelImage GoldChromeTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    return HorizonReflection(u, v, {0.55f, 0.32f, 0.08f, 1}, {1.0f, 0.86f, 0.45f, 1},
                             {0.45f, 0.22f, 0.05f, 1}, {0.95f, 0.62f, 0.22f, 1}, 31);
  });
  return image;
}

PixelImage SheenTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    return HorizonReflection(u, v, {0.1f, 0.25f, 0.5f, 1}, {0.6f, 0.85f, 1.0f, 1},
                             {0.05f, 0.12f, 0.18f, 1}, {0.35f, 0.55f, 0.6f, 1}, 32);
  });
  return image;
}

PixelImage GrainTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    const float grain = 0.86f + 0.14f * FractalNoise(u, v, 16, 4, 0.6f, 7);
    return Colour{grain, grain, grain, 1};
  });
  return image;
}

PixelImage BrushedSteelTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    // Fine streaks along u (noise that varies across v only), blotches, and a soft sheen.
    const float streaks =
        0.6f * ValueNoise(0.5f, v * 128, 128, 11) + 0.4f * ValueNoise(0.5f, v * 32, 32, 12);
    const float blotches = FractalNoise(u, v, 4, 3, 0.5f, 13);
    const float sheen = 0.5f + 0.5f * portable::sin(v * 6.2831853f);
    const float grey = 0.5f + 0.22f * streaks + 0.1f * blotches + 0.15f * sheen;
    return Colour{grey * 0.95f, grey, grey * 1.04f, 1};
  });
  return image;
}

}  // namespace scenes
