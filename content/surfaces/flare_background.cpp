#include <cmath>

#include "kit/noise.h"
#include "surfaces/dark_flares.h"
#include "surfaces/surface_shading.h"
#include "kit/portable_maths.h"

namespace surfaces {
namespace {

// The picture covers a 4:3 screen, so radial patterns are drawn in screen proportions.
constexpr float kScreenAspect = 4.0f / 3.0f;
constexpr int kStreakPeriod = 96;  // streaks around the centre

const Colour kHaze{0.06f, 0.10f, 0.28f};
const Colour kStreak{0.55f, 0.80f, 1.00f};
const Colour kWarm{0.85f, 0.45f, 0.75f};
const Colour kCore{1.0f, 1.0f, 1.0f};

Colour Background(float u, float v) {
  const float x = (u - 0.5f) * 2.0f * kScreenAspect;
  const float y = (v - 0.5f) * 2.0f;
  const float radius = portable::hypot(x, y);
  const float around = portable::atan2(y, x) / kTwoPi + 0.5f;

  // Streaks: noise around the centre only, so every feature runs straight out of it.
  const float coarse = ValueNoise(around * kStreakPeriod, 0.5f, kStreakPeriod, 3);
  const float fine = ValueNoise(around * kStreakPeriod * 4, 0.5f, kStreakPeriod * 4, 5);
  const float streaks = portable::pow(Saturate(coarse * 0.6f + fine * 0.6f - 0.1f), 3.0f);
  const float reach =
      Smoothstep(0.05f, 0.5f, radius) * (1.0f - 0.4f * Smoothstep(0.8f, 1.7f, radius));
  // Haze: turbulent smoke, lit more towards the centre.
  const float smoke = FractalNoise(u, v, 5, 5, 0.55f, 9);
  const float tint = FractalNoise(u, v, 3, 3, 0.5f, 13);

  Colour colour = kHaze * (0.5f + smoke * 1.1f);
  colour = colour + kWarm * (Smoothstep(0.55f, 0.8f, tint) * 0.35f * smoke);
  colour = colour + kStreak * (streaks * reach * 1.3f);
  colour = colour + kCore * (portable::exp(-radius * 3.5f) * 0.8f);
  colour = colour * (1.0f - 0.35f * Smoothstep(0.9f, 1.65f, radius));
  colour.a = 1.0f;
  return colour;
}

}  // namespace

PixelImage MakeFlareBackground() {
  PixelImage image(kFlareBackgroundSize, kFlareBackgroundSize);
  PaintSupersampled(image, 2, Background);
  return image;
}

}  // namespace surfaces
