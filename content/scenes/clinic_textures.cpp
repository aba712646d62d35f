#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "kit/random.h"
#include "scenes/texture_painters.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

constexpr float kTwoPi = 6.2831853f;

// Distance in pixels from (x, y) to the segment a-b.
float SegmentDistance(float x, float y, float ax, float ay, float bx, float by) {
  const float dx = bx - ax, dy = by - ay;
  const float t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
  return portable::hypot(x - ax - t * dx, y - ay - t * dy);
}

// One heartbeat of an electrocardiogram over 0..1: a small wave, the sharp spike, a broad
// wave after it, flat between.
float Heartbeat(float t) {
  const auto bump = [t](float centre, float width, float height) {
    const float d = (t - centre) / width;
    return height * portable::exp(-d * d);
  };
  return bump(0.18f, 0.025f, 0.12f) - bump(0.285f, 0.008f, 0.1f) + bump(0.31f, 0.012f, 1.0f) -
         bump(0.335f, 0.01f, 0.25f) + bump(0.52f, 0.045f, 0.22f);
}

}  // namespace

PixelImage TilesTexture() {
  constexpr int kTiles = 8;
  PixelImage image(256, 256);
  PaintEachPixel(image, [](float u, float v) {
    const float tu = u * kTiles, tv = v * kTiles;
    const int column = static_cast<int>(tu), row = static_cast<int>(tv);
    const float fu = tu - static_cast<float>(column), fv = tv - static_cast<float>(row);
    const float edge = std::min(std::min(fu, 1 - fu), std::min(fv, 1 - fv));
    const float tone =
        0.9f +
        0.08f * static_cast<float>(HashPoint(column % kTiles, row % kTiles, 61) % 100) / 100.0f;
    // Glazed tiles: a soft highlight towards the upper left of each, grout between.
    const float glaze = 0.06f * (1 - fu) * (1 - fv);
    const float dirt = FractalNoise(u, v, 8, 4, 0.5f, 62) * 0.08f;
    if (edge < 0.045f) return Colour{0.55f - dirt, 0.58f - dirt, 0.56f - dirt, 1};
    const float bevel = edge < 0.09f ? 0.93f : 1.0f;
    const float grey = (tone + glaze - dirt * 0.5f) * bevel;
    return Colour{grey * 0.86f, grey * 0.96f, grey * 0.93f, 1};
  });
  return image;
}

PixelImage TerrazzoTexture() {
  PixelImage image(256, 256);
  PaintEachPixel(image, [](float u, float v) {
    const float base = 0.42f + 0.06f * FractalNoise(u, v, 8, 4, 0.5f, 71);
    const float chips = CellDistance(u, v, 24, 72);
    const float bigChips = CellDistance(u, v, 10, 73);
    float grey = base;
    if (chips < 0.22f)
      grey =
          0.62f + 0.1f *
                      static_cast<float>(
                          HashPoint(static_cast<int>(u * 24), static_cast<int>(v * 24), 74) % 10) /
                      10;
    if (bigChips < 0.16f) grey = 0.3f;
    return Colour{grey * 0.92f, grey, grey * 0.96f, 1};
  });
  return image;
}

PixelImage GlassTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    // Clear glass with a faint green edge tint, two slanted reflections and a frosted band.
    const float streak = portable::exp(-portable::pow((u + v * 0.6f - 0.55f) * 9, 2.0f)) * 0.5f +
                         portable::exp(-portable::pow((u + v * 0.6f - 0.8f) * 20, 2.0f)) * 0.35f;
    const bool frosted = v > 0.42f && v < 0.58f;
    const float frost = frosted ? 0.45f + 0.1f * FractalNoise(u, v, 16, 3, 0.5f, 81) : 0;
    const float alpha = std::clamp(0.16f + streak + frost, 0.0f, 0.85f);
    const float light = 0.75f + 0.25f * (streak + frost);
    return Colour{light * 0.8f, light * 0.95f, light * 0.95f, alpha};
  });
  return image;
}

PixelImage LampFaceTexture() {
  PixelImage image(128, 128);
  PaintEachPixel(image, [](float u, float v) {
    const float x = (u - 0.5f) * 2, y = (v - 0.5f) * 2;
    const float r = portable::hypot(x, y);
    // A ring of six bulbs and one in the middle, in a bright reflector.
    float bulbs = portable::exp(-r * r * 40);
    for (int i = 0; i < 6; ++i) {
      const float a = kTwoPi * static_cast<float>(i) / 6;
      bulbs += portable::exp(
          -(portable::pow(x - 0.55f * portable::cos(a), 2.0f) + portable::pow(y - 0.55f * portable::sin(a), 2.0f)) *
          60);
    }
    const float reflector = r < 0.92f ? 0.35f + 0.25f * (1 - r) : 0.0f;
    const float light = std::min(1.0f, bulbs * 1.2f + reflector);
    return Colour{light * 0.95f, light, light * 0.9f, 1};
  });
  return image;
}

PixelImage MonitorTraceFrame(int frame, int frames) {
  constexpr int kSize = 128;
  PixelImage image(kSize, kSize);
  const float sweep = (static_cast<float>(frame) + 0.5f) / static_cast<float>(frames);
  ContentRandom random(0xEC6 + static_cast<uint64_t>(frame));
  // Two beats across the screen, as a line through the pixel columns.
  const auto traceAt = [](float column) {
    return 52 - 30 * Heartbeat(std::fmod(column / kSize * 2, 1.0f));
  };
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (static_cast<float>(x) + 0.5f) / kSize;
      const auto px = static_cast<float>(x), py = static_cast<float>(y);
      float distance = 1e9f;
      for (float column = px - 2; column <= px + 2; column += 1) {
        distance = std::min(distance, SegmentDistance(px, py, column, traceAt(column), column + 1,
                                                      traceAt(column + 1)));
      }
      // The trace fades behind the sweeping point and is erased just ahead of it.
      const float age = std::fmod(sweep - u + 1.0f, 1.0f);
      const float erased = age > 0.93f ? 0.0f : 1.0f;
      const float trace = portable::exp(-distance * distance * 0.8f) * (1 - 0.7f * age) * erased;
      const float head = portable::exp(-portable::pow((u - sweep) * kSize / 3, 2.0f)) * trace * 1.5f;
      // A second, steadier line (oxygen) and a row of numbers' worth of blocks below.
      const float pulse =
          portable::exp(-portable::pow(static_cast<float>(y) - (96 - 8 * portable::sin(u * kTwoPi * 3)), 2.0f) *
                   0.6f) *
          0.6f;
      const bool digits = y > 108 && y < 120 && (x / 6) % 3 != 2 && x > 70 && x < 120;
      const float scan = (y % 3 == 0) ? 0.75f : 1.0f;
      const float noise = random.Unit() * 0.06f;
      const float green = std::min(1.0f, trace + head + (digits ? 0.55f : 0) + noise) * scan;
      const float yellow = pulse * scan;
      image.Set(
          x, y,
          {0.15f * green + yellow, 0.9f * green + 0.8f * yellow + 0.04f, 0.35f * green + 0.1f, 1});
    }
  }
  return image;
}

PixelImage MonitorScanFrame(int frame, int frames) {
  constexpr int kSize = 128;
  PixelImage image(kSize, kSize);
  const float turn = static_cast<float>(frame) / static_cast<float>(frames);
  PaintEachPixel(image, [&](float u, float v) {
    // An ultrasound fan: grainy echoes inside a wedge, its grain shifting every frame.
    const float x = (u - 0.5f) * 2, y = v * 1.1f - 0.05f;
    const float angle = portable::atan2(x, y), radius = portable::hypot(x, y);
    const bool inFan = std::fabs(angle) < 0.7f && radius < 1.0f && radius > 0.08f;
    if (!inFan) return Colour{0.02f, 0.03f, 0.05f, 1};
    const float speckle = ValueNoise(u * 64 + turn * 64, v * 64, 64, 91);
    const float organ = FractalNoise(u, v, 4, 3, 0.5f, 92);
    const float echo =
        std::clamp(speckle * (0.3f + 0.9f * organ * organ) * (1.2f - radius), 0.0f, 1.0f);
    const float beam = portable::exp(-portable::pow((angle - (turn * 1.4f - 0.7f)) * 12, 2.0f)) * 0.25f;
    const float grey = std::min(1.0f, echo + beam);
    return Colour{grey * 0.8f, grey * 0.9f, grey, 1};
  });
  return image;
}

}  // namespace scenes
