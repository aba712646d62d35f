#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "kit/random.h"
#include "scenes/texture_painters.h"
#include "kit/portable_maths.h"

namespace scenes {

PixelImage NightSkyTexture() {
  constexpr int kSize = 256;
  PixelImage image(kSize, kSize);
  PaintEachPixel(image, [](float u, float v) {
    // A faint milky band of cloud and dust behind the stars.
    const float haze = portable::pow(FractalNoise(u, v, 4, 5, 0.55f, 131), 2.0f) * 0.12f;
    return Colour{0.02f + haze * 0.8f, 0.025f + haze * 0.8f, 0.06f + haze, 1};
  });
  ContentRandom random(0x57A5);
  for (int i = 0; i < 420; ++i) {
    const float x = random.Range(0, kSize), y = random.Range(0, kSize);
    const float brightness = portable::pow(random.Unit(), 3.0f) * 0.9f + 0.1f;
    const float warmth = random.Unit();
    const Colour colour{0.8f + 0.2f * warmth, 0.85f, 1.0f - 0.25f * warmth, 1};
    // Each star a little gaussian spot, wrapped across the edges so the sky tiles.
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        const int px = static_cast<int>(x) + dx, py = static_cast<int>(y) + dy;
        const float ox = static_cast<float>(px) + 0.5f - x, oy = static_cast<float>(py) + 0.5f - y;
        const float spot = portable::exp(-(ox * ox + oy * oy) * 1.6f) * brightness;
        image.AddLight((px + kSize) % kSize, (py + kSize) % kSize, colour, spot);
      }
    }
  }
  return image;
}

PixelImage PaperLanternTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    // Glowing paper, hottest low in the middle where the flame is, with thin ribs across.
    const float flame =
        portable::exp(-(portable::pow((u - 0.5f) * 2.2f, 2.0f) + portable::pow((v - 0.68f) * 2.6f, 2.0f)));
    const float rib = std::fabs(std::fmod(v * 6, 1.0f) - 0.5f) < 0.06f ? 0.65f : 1.0f;
    const float edges = std::clamp(std::min(u, 1 - u) * 8, 0.0f, 1.0f) *
                        std::clamp(std::min(v, 1 - v) * 10, 0.0f, 1.0f);
    const float paper = (0.45f + 0.55f * flame) * rib * edges;
    return Colour{paper, paper * (0.55f + 0.3f * flame), paper * (0.2f + 0.2f * flame), 1};
  });
  return image;
}

PixelImage NightWaterTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    // A reflection map of the night: dark blue, brighter towards the rim (grazing views),
    // a pale moon's spot and a few warm flecks of lantern light.
    const float x = (u - 0.5f) * 2, y = (v - 0.5f) * 2;
    const float rim = std::clamp(portable::hypot(x, y), 0.0f, 1.0f);
    const float moon = portable::exp(-(portable::pow(x + 0.35f, 2.0f) + portable::pow(y + 0.45f, 2.0f)) * 30);
    const float flecks = portable::pow(FractalNoise(u, v, 16, 2, 0.5f, 141), 8.0f) * 1.5f;
    const float blue = 0.05f + 0.2f * rim * rim;
    return Colour{blue * 0.45f + moon * 0.8f + flecks * 0.6f,
                  blue * 0.6f + moon * 0.85f + flecks * 0.4f, blue + moon + flecks * 0.2f, 1};
  });
  return image;
}

}  // namespace scenes
