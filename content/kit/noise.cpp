#include "kit/noise.h"

#include <algorithm>
#include <cmath>

#include "kit/random.h"
#include "kit/portable_maths.h"

namespace {
float Lattice(int x, int y, int period, uint32_t seed) {
  const int wx = ((x % period) + period) % period;
  const int wy = ((y % period) + period) % period;
  return static_cast<float>(HashPoint(wx, wy, seed) >> 8) / 16777215.0f;
}

float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }
}  // namespace

float ValueNoise(float x, float y, int period, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const float tx = Fade(x - fx), ty = Fade(y - fy);
  const float top = std::lerp(Lattice(ix, iy, period, seed), Lattice(ix + 1, iy, period, seed), tx);
  const float bottom =
      std::lerp(Lattice(ix, iy + 1, period, seed), Lattice(ix + 1, iy + 1, period, seed), tx);
  return std::lerp(top, bottom, ty);
}

float FractalNoise(float u, float v, int cells, int octaves, float gain, uint32_t seed) {
  float sum = 0, amplitude = 1, total = 0;
  int period = cells;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += amplitude * ValueNoise(u * period, v * period, period, seed + octave * 101u);
    total += amplitude;
    amplitude *= gain;
    period *= 2;
  }
  return sum / total;
}

float CellDistance(float u, float v, int cells, uint32_t seed) {
  const float x = u * cells, y = v * cells;
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  float nearest = 2.0f;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int px = cx + dx, py = cy + dy;
      const int wx = ((px % cells) + cells) % cells, wy = ((py % cells) + cells) % cells;
      const uint32_t h = HashPoint(wx, wy, seed);
      const float jx = static_cast<float>(h & 0xFFFF) / 65535.0f;
      const float jy = static_cast<float>(h >> 16) / 65535.0f;
      nearest = std::min(nearest, portable::hypot(px + jx - x, py + jy - y));
    }
  }
  return std::min(nearest, 1.0f);
}
