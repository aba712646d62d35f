#include "surfaces/blob_environment.h"

#include <array>
#include <cmath>

#include "kit/noise.h"
#include "kit/random.h"
#include "surfaces/surface_shading.h"
#include "kit/portable_maths.h"

namespace surfaces {
namespace {

struct Direction {
  float x, y, z;
};

struct Lamp {
  Direction direction;  // unit, view space: +y up, +z towards the viewer
  float size;           // angular radius of the bright core, radians
  Colour colour;
};

Direction Normalised(Direction d) {
  const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  return {d.x / length, d.y / length, d.z / length};
}

float Dot(Direction a, Direction b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The lamps sit where the blob effect's coordinates reach (about 0.2 to 0.35 from the
// centre), the strongest up and to the right, where the blobs' diffuse light comes from.
const std::array<Lamp, 3> kLamps{{
    {Normalised({0.55f, 0.55f, 0.45f}), 0.10f, {1.00f, 0.97f, 0.90f}},
    {Normalised({-0.70f, 0.30f, 0.20f}), 0.06f, {1.00f, 0.55f, 0.25f}},
    {Normalised({0.05f, 0.75f, -0.10f}), 0.05f, {0.55f, 0.75f, 1.00f}},
}};

const Colour kZenith{0.10f, 0.08f, 0.27f};
const Colour kSkyLow{0.40f, 0.30f, 0.58f};
const Colour kHorizonGlow{1.00f, 0.55f, 0.25f};
const Colour kCloud{0.55f, 0.46f, 0.68f};
const Colour kGroundNear{0.06f, 0.07f, 0.10f};
const Colour kGroundFar{0.22f, 0.17f, 0.22f};
const Colour kSkyline{0.02f, 0.02f, 0.04f};
const Colour kWindow{1.00f, 0.80f, 0.45f};
const Colour kGridLine{0.25f, 0.30f, 0.45f};

// Direction of the reflection that the standard sphere-map formula sends to (u, v).
Direction ReflectionAt(float u, float v) {
  float nx = u * 2.0f - 1.0f;
  float ny = 1.0f - v * 2.0f;
  const float planar = portable::hypot(nx, ny);
  constexpr float kRim = 0.98f;  // the corners are never reached: repeat the rim there
  if (planar > kRim) {
    nx *= kRim / planar;
    ny *= kRim / planar;
  }
  const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
  return {2.0f * nz * nx, 2.0f * nz * ny, 2.0f * nz * nz - 1.0f};
}

// Buildings on the horizon: blocks of random height along the azimuth, with lit windows.
Colour Skyline(Colour sky, float azimuth, float elevation) {
  constexpr int kBlocks = 90;
  const float position = Fract(azimuth) * kBlocks;
  const int block = static_cast<int>(position);
  const uint32_t hash = HashPoint(block, 0, 97);
  const float height = 0.03f + 0.10f * static_cast<float>(hash & 0xFF) / 255.0f;
  if (elevation > height) return sky;
  const float column = Fract(position) * 4.0f;
  const float storey = elevation * 120.0f;
  const bool window =
      HashPoint(block * 4 + static_cast<int>(column), static_cast<int>(storey), 5) % 7 == 0 &&
      Fract(column) > 0.3f && Fract(storey) > 0.4f;
  return window ? kWindow * 0.9f : kSkyline;
}

Colour Sky(Direction d) {
  const float elevation = d.y;
  Colour colour = Mix(kSkyLow, kZenith, portable::pow(elevation, 0.6f));
  // A cloud deck: noise on a plane above the viewer, thinning towards the horizon.
  const float scale = 0.07f / std::max(elevation, 0.08f);
  const float clouds = FractalNoise(Fract(d.x * scale), Fract(d.z * scale), 4, 4, 0.55f, 19);
  const float cover = Smoothstep(0.45f, 0.75f, clouds) * Smoothstep(0.02f, 0.2f, elevation);
  colour = Mix(colour, kCloud, cover);
  colour = colour + kHorizonGlow * (portable::exp(-elevation * 9.0f) * 0.8f);
  const float azimuth = portable::atan2(d.x, -d.z) / kTwoPi + 0.5f;
  return Skyline(colour, azimuth, elevation);
}

// A wet floor: a faint perspective grid and the horizon's glow mirrored in it.
Colour Ground(Direction d) {
  const float depth = -d.y;
  Colour colour = Mix(kGroundFar, kGroundNear, Smoothstep(0.0f, 0.6f, depth));
  const float floorX = d.x / std::max(depth, 0.03f);
  const float floorZ = d.z / std::max(depth, 0.03f);
  const float line = std::max(portable::exp(-portable::pow(Fract(floorX) - 0.5f, 2.0f) * 800.0f),
                              portable::exp(-portable::pow(Fract(floorZ) - 0.5f, 2.0f) * 800.0f));
  colour = colour + kGridLine * (line * Smoothstep(0.05f, 0.3f, depth) * 0.6f);
  return colour + kHorizonGlow * (portable::exp(-depth * 8.0f) * 0.6f);
}

Colour Environment(Direction d) {
  Colour colour = d.y >= 0.0f ? Sky(d) : Ground(d);
  for (const Lamp& lamp : kLamps) {
    const float angle = portable::acos(std::clamp(Dot(d, lamp.direction), -1.0f, 1.0f));
    const float core = 1.0f - Smoothstep(lamp.size * 0.7f, lamp.size, angle);
    const float glow = portable::exp(-angle / (lamp.size * 1.5f)) * 0.7f;
    colour = colour + lamp.colour * (core + glow);
  }
  colour.a = 1.0f;
  return colour;
}

}  // namespace

PixelImage MakeBlobEnvironment() {
  PixelImage image(kBlobEnvironmentSize, kBlobEnvironmentSize);
  PaintSupersampled(image, 2, [](float u, float v) { return Environment(ReflectionAt(u, v)); });
  return image;
}

}  // namespace surfaces
