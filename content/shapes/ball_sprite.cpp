#include "shapes/ball_sprite.h"

#include <cmath>

#include "kit/png_encoder.h"
#include "kit/portable_maths.h"

namespace {

constexpr int kSize = 64;
// The incircle of the triangle (0, 0), (1, 0), (0, 1): centre and radius 1 - 1/sqrt(2).
constexpr float kCentre = 0.29289322f;
constexpr float kRadius = 0.29289322f;

}  // namespace

PixelImage BallSprite() {
  PixelImage image(kSize, kSize);
  const Colour core{1.0f, 0.97f, 0.92f};
  const Colour halo{0.42f, 0.6f, 1.0f};
  PaintEachPixel(image, [&](float u, float v) {
    const float d = portable::hypot(u - kCentre, v - kCentre) / kRadius;
    if (d >= 1) return Colour{0, 0, 0};
    // A small hot core in a faint halo: a thousand of them add up, so the halo has to stay
    // dim for the cloud's dense parts to keep their shape instead of burning to white.
    const float fade = (1 - d * d) * (1 - d * d) * (1 - d * d);
    const float hot = portable::exp(-(d * d) / 0.025f);
    return core * (0.85f * hot) + halo * (0.2f * fade);
  });
  return image;
}

std::vector<uint8_t> BallSpritePng() { return EncodePng(BallSprite(), PngChannels::kRgb); }
