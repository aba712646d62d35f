#include "terrain/heightmap.h"

#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "terrain/shaping.h"
#include "terrain/terrain_layout.h"
#include "terrain/valley_course.h"
#include "kit/portable_maths.h"

namespace {

// Every byte stays in this range: the colour ramp is addressed by 1 - height + 0.01 with
// wrapping, so the very lowest and highest samples would pick colours from the other end.
constexpr int kLowestSample = 6;
constexpr int kHighestSample = 250;

// Mountains: ridged fractal noise, each octave weighted by the one above so that the sharp
// crests carry the fine detail, over broad massifs and basins.
float MountainHeight(float x, float z) {
  const float u0 = x / kLandscapeWidth, v0 = z / kLandscapeDepth;
  // Warped coordinates bend the ridge lines out of the lattice's grain.
  const float u = u0 + 0.12f * (FractalNoise(u0, v0, 3, 3, 0.5f, 7000u) - 0.5f);
  const float v = v0 + 0.12f * (FractalNoise(u0, v0, 3, 3, 0.5f, 7050u) - 0.5f);
  float ridges = 0, weight = 1, amplitude = 1, total = 0;
  int cells = 4;
  for (int octave = 0; octave < 4; ++octave) {
    const float n = ValueNoise(u * cells, v * cells, 64, 7100u + octave * 13u);
    const float crest = Squared(1.0f - std::fabs(2.0f * n - 1.0f)) * weight;
    weight = std::clamp(crest * 2.0f, 0.0f, 1.0f);
    ridges += crest * amplitude;
    total += amplitude;
    amplitude *= 0.5f;
    cells *= 2;
  }
  const float massif = FractalNoise(u0, v0, 2, 3, 0.5f, 7300u);
  return 2.0f + 6.0f * massif + 15.0f * (ridges / total) * (0.45f + massif);
}

// Ground rising towards the map's edges closes the basin, so that the world's rim never
// shows against the sky, and peaks crowd the valley's shoulders so that the flight is
// walled in.
float Uplift(float x, float z, float valleyDistance) {
  const float edge = std::min(std::min(x, kLandscapeWidth - x), std::min(z, kLandscapeDepth - z));
  const float rim = Squared(1.0f - std::clamp(edge / 18.0f, 0.0f, 1.0f));
  const float shoulder = portable::exp(-Squared((valleyDistance - 10.0f) / 7.0f));
  const float peaks =
      Squared(FractalNoise(x / kLandscapeWidth, z / kLandscapeDepth, 6, 3, 0.5f, 7400u));
  return 5.0f * rim + 14.0f * shoulder * peaks;
}

// Rounds the tops off softly below the height scale instead of clipping them flat.
float RoundedTops(float height) {
  constexpr float kShoulder = 16.5f, kHeadroom = 3.0f;
  return height < kShoulder ? height
                            : kShoulder + kHeadroom * portable::tanh((height - kShoulder) / kHeadroom);
}

}  // namespace

std::vector<uint8_t> MakeLandscapeHeightmap() {
  const std::vector<CoursePoint> course = ValleyCourse();
  std::vector<uint8_t> samples;
  samples.reserve(kHeightmapColumns * kHeightmapRows);
  for (int row = 0; row < kHeightmapRows; ++row) {
    for (int column = 0; column < kHeightmapColumns; ++column) {
      const float x = ColumnToWorldX(column), z = RowToWorldZ(row);
      const ValleyCut cut = CutValley(x, z, course);
      const float ground = RoundedTops(MountainHeight(x, z) + Uplift(x, z, cut.distance));
      const float height = SmoothMinimum(ground, cut.ceiling, 1.5f);
      // Rounded down, so the valley floor never rises above its cut.
      const int level = static_cast<int>(std::floor(height / kLandscapeHeightScale * 255.0f));
      samples.push_back(static_cast<uint8_t>(std::clamp(level, kLowestSample, kHighestSample)));
    }
  }
  return samples;
}
