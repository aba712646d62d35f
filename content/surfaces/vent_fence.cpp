#include <cmath>

#include "kit/noise.h"
#include "surfaces/surface_shading.h"
#include "surfaces/vent_shaft.h"
#include "kit/portable_maths.h"

namespace surfaces {
namespace {

// The tile is stretched twice as far along the tube as around it, so the mesh is laid out
// in tube units (x across 0..1, y along 0..2) to keep its diamonds square in the shaft.
constexpr float kAlongStretch = 2.0f;
constexpr float kMeshPitch = 0.5f;  // diamond width in tube units: 2 across, 4 along
constexpr float kWireRadius = 0.03f;
constexpr float kRingHalfWidth = 0.06f;  // support ring on the top and bottom edges, which meet

// Dull, dark galvanised wire: the grating frames the flight without outshining what is
// drawn over it.
const Colour kZinc{0.38f, 0.41f, 0.45f};
const Colour kShadowed{0.12f, 0.13f, 0.15f};
const Colour kRing{0.36f, 0.33f, 0.29f};

// Distance to the nearest wire of the family running along x + sign * y, and which wire.
struct WireHit {
  float distance;
  int index;
};

WireHit NearestWire(float x, float y, float sign) {
  const float along = (x + sign * y) / kMeshPitch;
  const float nearest = std::round(along);
  return {std::abs(along - nearest) * kMeshPitch / std::sqrt(2.0f), static_cast<int>(nearest)};
}

// A round wire seen face on: bright along its middle, dark at its flanks.
Colour WireShade(float distance) {
  const float across = Saturate(distance / kWireRadius);
  const float facing = std::sqrt(1.0f - across * across);
  return Mix(kShadowed, kZinc, facing) + Colour{1, 1, 1, 0} * (portable::pow(facing, 12.0f) * 0.2f);
}

Colour Mesh(float u, float v) {
  const float x = u;
  const float y = v * kAlongStretch;
  const WireHit rising = NearestWire(x, y, 1.0f);
  const WireHit falling = NearestWire(x, y, -1.0f);
  const float edge = 0.006f;
  const float risingCover = 1.0f - Smoothstep(kWireRadius - edge, kWireRadius, rising.distance);
  const float fallingCover = 1.0f - Smoothstep(kWireRadius - edge, kWireRadius, falling.distance);

  // Woven: at alternate crossings the other wire lies on top and shades the one below.
  const bool risingOnTop = ((rising.index + falling.index) & 1) == 0;
  const WireHit top = risingOnTop ? rising : falling;
  const WireHit below = risingOnTop ? falling : rising;
  const float topCover = risingOnTop ? risingCover : fallingCover;
  const float belowCover = risingOnTop ? fallingCover : risingCover;
  const float shadow =
      1.0f - 0.6f * (1.0f - Smoothstep(kWireRadius, kWireRadius * 2.2f, top.distance));
  Colour colour = Mix(WireShade(below.distance) * shadow, WireShade(top.distance), topCover);
  float alpha = std::max(topCover, belowCover);

  // A flat support ring; the wires pass behind it.
  const float ringDistance = std::min(v, 1.0f - v) * kAlongStretch;
  const float ring = 1.0f - Smoothstep(kRingHalfWidth - edge, kRingHalfWidth, ringDistance);
  const float ringLight = 0.75f + 0.25f * portable::cos(kPi * ringDistance / kRingHalfWidth);
  colour = Mix(colour, kRing * ringLight, ring);
  alpha = std::max(alpha, ring);
  colour.a = alpha;
  return colour;
}

}  // namespace

PixelImage MakeVentFence() {
  PixelImage image(kVentFenceSize, kVentFenceSize);
  PaintSupersampled(image, 3, Mesh);
  // Grime and rust, per pixel: the supersampling above only needs the wire shapes.
  const float size = kVentFenceSize;
  for (int y = 0; y < kVentFenceSize; ++y) {
    for (int x = 0; x < kVentFenceSize; ++x) {
      const float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
      const float dirt = FractalNoise(u, v, 4, 4, 0.55f, 83);
      const float rust = Smoothstep(0.6f, 0.75f, FractalNoise(u, v, 8, 3, 0.5f, 89));
      Colour colour = ToColour(image.at(x, y));
      const float alpha = colour.a;
      colour = Mix(colour * (0.7f + 0.5f * dirt),
                   Colour{0.45f, 0.25f, 0.12f} * (0.6f + 0.6f * dirt), rust * 0.6f);
      colour.a = alpha;
      image.Set(x, y, colour);
    }
  }
  return image;
}

}  // namespace surfaces
