#include <cmath>

#include "kit/noise.h"
#include "surfaces/dark_flares.h"
#include "surfaces/surface_shading.h"
#include "kit/portable_maths.h"

namespace surfaces {
namespace {

constexpr float kDiscRadius = 0.36f;
constexpr int kRays = 6;

const Colour kVoid{0.0f, 0.0f, 0.02f};
const Colour kCorona{0.45f, 0.55f, 0.95f};
const Colour kHalo{0.05f, 0.03f, 0.12f};

Colour Flare(float u, float v) {
  const float x = u * 2.0f - 1.0f;
  const float y = v * 2.0f - 1.0f;
  const float radius = portable::hypot(x, y);
  const float angle = portable::atan2(y, x);

  const float disc = 1.0f - Smoothstep(kDiscRadius - 0.03f, kDiscRadius + 0.01f, radius);
  // A thin bright ring hugging the disc, brighter where the corona flares out.
  const float flicker = ValueNoise(angle / kTwoPi * 16.0f + 16.0f, 0.0f, 16, 71);
  const float ringWidth = 0.025f + 0.03f * flicker;
  const float ring = portable::exp(-portable::pow((radius - kDiscRadius - 0.01f) / ringWidth, 2.0f));
  // A dark halo and thin dark rays that fade out well before the sprite's border.
  const float fadeOut = 1.0f - Smoothstep(0.55f, 0.97f, radius);
  const float halo = portable::exp(-(radius - kDiscRadius) * 3.5f) * fadeOut;
  const float rays = portable::pow(std::abs(portable::cos(angle * kRays * 0.5f)), 24.0f) *
                     (1.0f - Smoothstep(kDiscRadius, 0.95f, radius)) * fadeOut;

  Colour colour = Mix(kHalo, kVoid, Saturate(disc + rays));
  colour = Mix(colour, kCorona, Saturate(ring * (1.0f - disc)));
  colour.a = Saturate(std::max({disc * 0.97f, ring * 0.8f, halo * 0.85f, rays * 0.9f}));
  if (radius > 0.97f) colour.a = 0.0f;
  return colour;
}

}  // namespace

PixelImage MakeDarkFlare() {
  PixelImage image(kDarkFlareSize, kDarkFlareSize);
  PaintSupersampled(image, 3, Flare);
  return image;
}

}  // namespace surfaces
