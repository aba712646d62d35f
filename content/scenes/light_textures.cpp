#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "scenes/texture_painters.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

// Distance from the picture's centre, 0 there and 1 at the middle of an edge.
float CentreDistance(float u, float v) { return 2 * portable::hypot(u - 0.5f, v - 0.5f); }

}  // namespace

PixelImage GlowTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    const float d = CentreDistance(u, v);
    const float glow = portable::pow(std::clamp(1 - d, 0.0f, 1.0f), 2.2f) + 0.6f * portable::exp(-d * d * 40);
    return Colour{glow, glow, glow, 1};
  });
  return image;
}

PixelImage StarTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    const float d = CentreDistance(u, v);
    const float x = std::fabs(u - 0.5f) * 2, y = std::fabs(v - 0.5f) * 2;
    const float fade = std::clamp(1 - d, 0.0f, 1.0f);
    const float rays = (portable::exp(-y * 60) + portable::exp(-x * 60)) * fade * fade;
    const float glow = portable::pow(fade, 3.0f) * 0.8f + portable::exp(-d * d * 60) + rays * 0.7f;
    return Colour{glow, glow, glow, 1};
  });
  return image;
}

PixelImage ShadowTexture() {
  PixelImage image(64, 64);
  PaintEachPixel(image, [](float u, float v) {
    // Darkest where the figure stands (v = 0), soft at the sides, fading along its length.
    const float across = std::clamp(1 - std::fabs(u - 0.5f) * 2.2f, 0.0f, 1.0f);
    const float along = std::clamp(1 - v, 0.0f, 1.0f);
    return Colour{0, 0, 0, std::sqrt(across) * along * 0.6f};
  });
  return image;
}

PixelImage SparkTexture() {
  PixelImage image(64, 64);
  PaintEachPixel(image, [](float u, float v) {
    const float d = CentreDistance(u, v);
    const float core = portable::exp(-d * d * 30), halo = portable::pow(std::clamp(1 - d, 0.0f, 1.0f), 3.0f);
    return Colour{0.6f * halo + core, 0.55f * halo + core, halo + core, 1};
  });
  return image;
}

PixelImage PlasmaTexture() {
  PixelImage image(256, 256);
  PaintEachPixel(image, [](float u, float v) {
    // Warped noise: bands of light that curl round each other.
    const float warpU = FractalNoise(u, v, 4, 4, 0.5f, 101),
                warpV = FractalNoise(u, v, 4, 4, 0.5f, 102);
    const float field = FractalNoise(u + 0.3f * warpU, v + 0.3f * warpV, 4, 5, 0.55f, 103);
    const float bands = 0.5f + 0.5f * portable::sin(field * 6.2831853f * 3);
    const float hot = portable::pow(bands, 6.0f);
    return Colour{0.25f + 0.45f * bands + 0.3f * hot, 0.08f + 0.2f * bands + 0.7f * hot,
                  0.45f + 0.45f * bands + 0.1f * hot, 1};
  });
  return image;
}

PixelImage ScanlineTexture() {
  PixelImage image(64, 64);
  PaintEachPixel(image, [](float, float v) {
    // Bright bands with dark lines between, like letters shown on a screen.
    const float band = std::fmod(v * 16, 1.0f);
    const float light = band < 0.22f ? 0.45f : 1.0f;
    return Colour{light, light, light, 1};
  });
  return image;
}

}  // namespace scenes
