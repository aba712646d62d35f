// "flare.png": the sprite of the title's flare swirl. 1280 of them, each a 1 x 1 square
// about 15 units in front of the camera, are added to the picture (source one, destination
// one) with no alpha involved, so the sprite is colour on black: a white-hot core in a warm
// halo, thin rays and a faint cool ring, black well before its border so that no square
// edge shows and the mip-maps stay clean.
#include <cmath>
#include <numbers>

#include "kit/png_encoder.h"
#include "pictures/picture_entries.h"
#include "pictures/shape_painting.h"
#include "kit/portable_maths.h"

namespace picture_art {
namespace {
constexpr int kSize = 128;
constexpr int kSubsamples = 3;  // per axis, for the thin rays

// Light of a ray along angle `direction` (both ways), fading out at `length`.
float Ray(float radius, float angle, float direction, float width, float length) {
  const float across = radius * std::abs(portable::sin(angle - direction));
  const float along = std::max(0.0f, 1.0f - radius / length);
  return portable::exp(-(across * across) / (width * width)) * along * along;
}

// The flare's light at radius `r` (1 = half the sprite) and angle `angle`.
Colour FlareLight(float r, float angle) {
  constexpr float kQuarter = std::numbers::pi_v<float> * 0.5f;
  const float core = portable::exp(-(r * r) / (0.06f * 0.06f));
  const float halo = portable::exp(-r / 0.11f);
  const float glow = portable::pow(std::max(0.0f, 1.0f - r), 3.0f);
  const float rays = Ray(r, angle, 0, 0.014f, 0.95f) + Ray(r, angle, kQuarter, 0.014f, 0.95f) +
                     0.5f * (Ray(r, angle, kQuarter * 0.5f, 0.01f, 0.55f) +
                             Ray(r, angle, kQuarter * 1.5f, 0.01f, 0.55f));
  const float ringOffset = (r - 0.62f) / 0.03f;
  const float ring = portable::exp(-ringOffset * ringOffset);
  const Colour white{1.0f, 1.0f, 1.0f, 1.0f}, warm{1.0f, 0.72f, 0.38f, 1.0f},
      amber{1.0f, 0.5f, 0.16f, 1.0f}, cool{0.45f, 0.7f, 1.0f, 1.0f};
  const Colour light = white * core + warm * (0.65f * halo) + amber * (0.22f * glow) +
                       warm * (0.6f * rays) + cool * (0.16f * ring);
  return light * (1.0f - SmoothStep(0.8f, 0.97f, r));
}
}  // namespace

ArchiveEntry MakeTitleFlareEntry() {
  PixelImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      Colour sum{0, 0, 0, 0};
      for (int sy = 0; sy < kSubsamples; ++sy) {
        for (int sx = 0; sx < kSubsamples; ++sx) {
          const float px =
              (static_cast<float>(x * kSubsamples + sx) + 0.5f) / (kSize * kSubsamples);
          const float py =
              (static_cast<float>(y * kSubsamples + sy) + 0.5f) / (kSize * kSubsamples);
          const float dx = px * 2.0f - 1.0f, dy = py * 2.0f - 1.0f;
          sum = sum + FlareLight(std::sqrt(dx * dx + dy * dy), portable::atan2(dy, dx));
        }
      }
      Colour texel = sum * (1.0f / (kSubsamples * kSubsamples));
      texel.a = 1.0f;
      image.Set(x, y, texel);
    }
  }
  return StreamEntry("flare.png", EncodePng(image, PngChannels::kRgb));
}

}  // namespace picture_art
