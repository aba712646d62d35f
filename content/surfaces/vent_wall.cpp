#include <cmath>

#include "kit/noise.h"
#include "surfaces/stretched_noise.h"
#include "surfaces/surface_shading.h"
#include "surfaces/vent_shaft.h"
#include "kit/portable_maths.h"

namespace surfaces {
namespace {

// One tile in shaft units: around (u) and along (v).
constexpr float kTileAround = 4.71f;
constexpr float kTileAlong = 7.5f;
constexpr int kBands = 3;          // riveted joints along the depth per tile
constexpr int kPanels = 2;         // sheet seams around per tile
constexpr int kRivets = 12;        // per band per tile
constexpr int kCorrugations = 12;  // shallow ribs per tile along the depth

const Colour kSteel{0.50f, 0.54f, 0.56f};
const Colour kDarkSteel{0.24f, 0.26f, 0.28f};
const Colour kRust{0.42f, 0.24f, 0.12f};
const Colour kSoot{0.07f, 0.07f, 0.06f};

struct WallPoint {
  float height;  // relief, for the light
  float joint;   // 1 on a riveted band
  float rivet;   // 1 on a rivet head
};

WallPoint Relief(float u, float v) {
  const float bandPhase = Fract(v * kBands);
  const float bandDistance = std::abs(bandPhase - 0.5f) * kTileAlong / kBands;
  const float joint = 1.0f - Smoothstep(0.10f, 0.14f, bandDistance);
  const float seamDistance = std::abs(Fract(u * kPanels) - 0.5f) * kTileAround / kPanels;
  const float seam = 1.0f - Smoothstep(0.015f, 0.035f, seamDistance);
  const float rivetX = (Fract(u * kRivets) - 0.5f) * kTileAround / kRivets;
  const float rivetY = bandPhase - 0.5f;
  const float rivetDistance = portable::hypot(rivetX, rivetY * kTileAlong / kBands);
  const float rivet = 1.0f - Smoothstep(0.035f, 0.05f, rivetDistance);
  const float corrugation = 0.5f + 0.5f * portable::cos(kTwoPi * v * kCorrugations);
  const float dents = FractalNoise(u, v, 6, 3, 0.5f, 61);

  WallPoint point;
  point.height = 0.6f * joint + 0.5f * rivet * std::sqrt(Saturate(1.0f - rivetDistance / 0.05f)) -
                 0.4f * seam + 0.12f * corrugation * (1.0f - joint) + 0.25f * dents;
  point.joint = joint;
  point.rivet = rivet;
  return point;
}

}  // namespace

PixelImage MakeVentWall() {
  PixelImage image(kVentWallSize, kVentWallSize);
  const float texel = 1.0f / kVentWallSize;
  PaintEachPixel(image, [&](float u, float v) {
    const WallPoint here = Relief(u, v);
    // Light from the upper left of the tile, from the relief's slope.
    const float slopeX = Relief(u + texel, v).height - Relief(u - texel, v).height;
    const float slopeY = Relief(u, v + texel).height - Relief(u, v - texel).height;
    const float light = Saturate(0.75f - 4.0f * slopeX - 4.0f * slopeY);

    const float brushed = StretchedNoise(u, v, 256, 8, 67);
    const float grime = FractalNoise(u, v, 4, 5, 0.6f, 71);
    // Rust runs along the depth from each joint, as if dripped there.
    const float fromJoint = Fract(v * kBands + 0.5f);
    const float streaks = StretchedNoise(u, 0.5f, 48, 1, 73);
    const float drip =
        Smoothstep(0.55f, 0.85f, streaks) * (1.0f - Smoothstep(0.0f, 0.7f, fromJoint));

    Colour metal = Mix(kDarkSteel, kSteel, 0.55f + 0.25f * brushed + 0.2f * here.joint);
    metal = Mix(metal, kRust, Saturate(drip * 0.8f + Smoothstep(0.6f, 0.8f, grime) * 0.5f));
    metal = Mix(metal, kSoot, Smoothstep(0.4f, 0.1f, grime) * 0.5f);
    // Kept dim, so the grating and the words in front of it stand out of the wall.
    Colour colour = metal * (0.3f + 0.55f * light);
    colour =
        colour + Colour{0.9f, 0.9f, 0.85f} * (here.rivet * Smoothstep(0.8f, 1.0f, light) * 0.3f);
    colour.a = 1.0f;
    return colour;
  });
  return image;
}

}  // namespace surfaces
