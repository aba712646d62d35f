#pragma once
// Small shading helpers shared by the effect textures of this folder.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "kit/pixel_image.h"

namespace surfaces {

inline constexpr float kPi = std::numbers::pi_v<float>;
inline constexpr float kTwoPi = 2.0f * kPi;

inline float Saturate(float value) { return std::clamp(value, 0.0f, 1.0f); }

// 0 below `edge0`, 1 above `edge1`, a smooth (cubic) step between.
inline float Smoothstep(float edge0, float edge1, float value) {
  const float t = Saturate((value - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

inline float Fract(float value) { return value - std::floor(value); }

// Paints every pixel as the mean of `samples` x `samples` evaluations of `shade(u, v)`
// spread over the pixel (u, v in 0..1 across the picture), for clean edges on fine
// geometry. Colours are averaged weighted by their alpha, so fully transparent samples do
// not darken or tint the edges of what they surround.
template <typename Shade>
void PaintSupersampled(PixelImage& image, int samples, Shade shade) {
  const float width = static_cast<float>(image.width());
  const float height = static_cast<float>(image.height());
  const float step = 1.0f / static_cast<float>(samples);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      Colour weighted{0, 0, 0, 0};
      Colour plain{0, 0, 0, 0};
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          const float u = (static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) * step) / width;
          const float v = (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) * step) / height;
          const Colour colour = shade(u, v);
          weighted = weighted + Colour{colour.r, colour.g, colour.b, 1.0f} * colour.a;
          plain = plain + colour;
        }
      }
      const float count = static_cast<float>(samples * samples);
      Colour result = weighted.a > 0.0f ? weighted * (1.0f / weighted.a) : plain * (1.0f / count);
      result.a = plain.a / count;
      image.Set(x, y, result);
    }
  }
}

}  // namespace surfaces
