#include "surfaces/tunnel_title.h"

#include <cmath>

#include "kit/noise.h"
#include "surfaces/surface_shading.h"
#include "kit/portable_maths.h"

namespace surfaces {
namespace {

// Width over height of the area the picture fills on screen (640 x 403), so that the
// tunnel looks round there although the texture is twice as wide as it is high.
constexpr float kScreenAspect = 640.0f / 403.0f;
constexpr int kFolds = 14;  // soft folds around the tunnel
constexpr float kRingsPerDepth = 4.0f;
constexpr int kSpiralStarts = 2;     // the rings wind once around per ring spacing, twice
constexpr float kLightDepth = 9.0f;  // where the light sits, in tunnel radii

const Colour kDeep{0.01f, 0.02f, 0.05f};
const Colour kWall{0.08f, 0.30f, 0.50f};
const Colour kRim{0.65f, 0.90f, 1.00f};
const Colour kLight{1.00f, 1.00f, 1.00f};

Colour TunnelView(float u, float v) {
  const float x = (u - 0.5f) * 2.0f * kScreenAspect;
  const float y = (v - 0.5f) * 2.0f;
  const float radius = std::max(portable::hypot(x, y), 1e-4f);
  const float around = portable::atan2(y, x) / kTwoPi + 0.5f;
  const float depth = 1.0f / radius;

  // Wall relief: spiral rings along the depth, folds around, organic lumps.
  const float ringPhase = Fract(depth * kRingsPerDepth + around * kSpiralStarts);
  const float ring = portable::sin(kPi * ringPhase);
  const float fold = 0.5f + 0.5f * portable::cos(kTwoPi * around * kFolds);
  const float lumps = FractalNoise(around, Fract(depth * 0.25f), 8, 3, 0.5f, 5);

  // The light at the far end catches the crests of the rings (their far sides face it)
  // and leaves the grooves dark; it fades towards the tunnel mouth.
  const float toLight = std::max(kLightDepth - depth, 0.5f);
  const float lit = Saturate(6.0f / (toLight * toLight));
  const float body = (0.3f + 0.7f * ring) * (0.65f + 0.35f * fold) * (0.4f + 1.2f * lumps);
  // Far rings blur into the glow before they could alias.
  const float detail = Smoothstep(0.08f, 0.3f, radius);
  Colour colour = Mix(kDeep, kWall, Saturate(std::lerp(0.8f, body, detail) * (0.5f + lit)));
  const float sheen = portable::pow(ring, 14.0f) + 0.3f * portable::pow(fold * ring, 6.0f);
  colour = colour + kRim * (sheen * (0.2f + lit) * detail * 0.9f);
  colour = Mix(colour, kLight, Saturate(portable::exp(-radius * 5.0f) * 1.8f));
  // The edges of the picture darken, framing the tunnel mouth.
  colour = colour * (1.0f - 0.5f * Smoothstep(0.9f, 1.9f, radius));
  colour.a = 1.0f;
  return colour;
}

}  // namespace

PixelImage MakeTunnelTitle() {
  PixelImage image(kTunnelTitleWidth, kTunnelTitleHeight);
  PaintSupersampled(image, 3, TunnelView);
  return image;
}

}  // namespace surfaces
