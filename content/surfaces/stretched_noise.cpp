#include "surfaces/stretched_noise.h"

#include <cmath>

#include "kit/random.h"

namespace surfaces {
namespace {

int Wrap(int value, int period) { return ((value % period) + period) % period; }

float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

}  // namespace

float StretchedNoise(float u, float v, int cellsU, int cellsV, uint32_t seed) {
  const float x = u * static_cast<float>(cellsU);
  const float y = v * static_cast<float>(cellsV);
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  auto lattice = [&](int cx, int cy) {
    return static_cast<float>(HashPoint(Wrap(cx, cellsU), Wrap(cy, cellsV), seed) >> 8) /
           16777215.0f;
  };
  const float tx = Fade(x - fx), ty = Fade(y - fy);
  const float top = std::lerp(lattice(ix, iy), lattice(ix + 1, iy), tx);
  const float bottom = std::lerp(lattice(ix, iy + 1), lattice(ix + 1, iy + 1), tx);
  return std::lerp(top, bottom, ty);
}

}  // namespace surfaces
