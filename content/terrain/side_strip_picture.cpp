#include "terrain/side_strip_picture.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "kit/random.h"
#include "kit/text_raster.h"
#include "kit/portable_maths.h"

namespace {

constexpr int kLength = 512;  // along the strip
constexpr int kBreadth = 64;  // across it; the effect shows rows 3..60

// The strips are stored with 4 bits per channel, so every level is a multiple of 17; the
// marks are opaque so that only their anti-aliased edges fall between levels.
constexpr Colour Level(int r, int g, int b, int a) {
  return {r * 17 / 255.0f, g * 17 / 255.0f, b * 17 / 255.0f, a * 17 / 255.0f};
}
constexpr Colour kPanel = Level(1, 2, 4, 11);
constexpr Colour kAmber = Level(15, 10, 2, 15);
constexpr Colour kDimAmber = Level(9, 5, 1, 15);
constexpr Colour kCyan = Level(6, 12, 15, 15);
constexpr Colour kDimCyan = Level(2, 6, 9, 15);
constexpr Colour kPale = Level(13, 14, 15, 15);
constexpr Colour kShadow = Level(0, 0, 1, 15);

// Lays a rectangle over the picture; x wraps, so shapes may cross the seam.
void FillRect(PixelImage& image, int left, int top, int width, int height, Colour colour) {
  for (int y = std::max(top, 0); y < std::min(top + height, kBreadth); ++y) {
    for (int x = left; x < left + width; ++x) {
      image.Blend(((x % kLength) + kLength) % kLength, y, colour, 1.0f);
    }
  }
}

// Lays `colour` over the box wherever `shape(x, y)` says a point is inside, with coverage
// sampled 4 x 4 per pixel; for round and slanted shapes.
template <typename Shape>
void FillShape(PixelImage& image, int left, int top, int width, int height, Colour colour,
               Shape shape) {
  for (int y = std::max(top, 0); y < std::min(top + height, kBreadth); ++y) {
    for (int x = left; x < left + width; ++x) {
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          inside += shape(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f) ? 1 : 0;
        }
      }
      if (inside > 0) image.Blend(((x % kLength) + kLength) % kLength, y, colour, inside / 16.0f);
    }
  }
}

void DrawLabel(PixelImage& image, std::string_view text, int size, int left, int top,
               Colour colour) {
  const Coverage ink = RenderText(text, Typeface::kMonoBold, size);
  DrawCoverage(image, ink, left + 1, top + 1, kShadow);
  DrawCoverage(image, ink, left, top, colour);
}

// The strip's frame: a bright rule along the inner edge with a dashed one beside it, and
// a measuring scale along the screen's edge.
void DrawFrame(PixelImage& image) {
  FillRect(image, 0, 4, kLength, 2, kAmber);
  for (int x = 0; x < kLength; x += 8) FillRect(image, x, 8, 5, 1, kDimAmber);
  FillRect(image, 0, 58, kLength, 1, kCyan);
  for (int x = 0; x < kLength; x += 8) {
    const int length = x % 64 == 0 ? 7 : (x % 32 == 0 ? 5 : 2);
    FillRect(image, x, 58 - length, 1, length, x % 32 == 0 ? kCyan : kDimCyan);
  }
}

// Forward arrows, as on a heading display.
void DrawChevrons(PixelImage& image, int left, int count) {
  constexpr float kTop = 18, kBottom = 44, kMiddle = (kTop + kBottom) / 2, kDepth = 9;
  for (int index = 0; index < count; ++index) {
    const float start = left + index * 11.0f;
    const Colour colour = index == count - 1 ? kAmber : kDimAmber;
    FillShape(image, static_cast<int>(start), 18, 16, 26, colour, [=](float x, float y) {
      const float bend = start + kDepth * (1.0f - std::fabs(y - kMiddle) / (kMiddle - kTop));
      return y >= kTop && y <= kBottom && x >= bend && x <= bend + 4.5f;
    });
  }
}

// A sighting ring with cross hairs and a lock diamond.
void DrawReticle(PixelImage& image, int centreX) {
  constexpr float kCentreY = 31, kRadius = 14;
  FillShape(image, centreX - 17, 14, 35, 35, kCyan, [=](float x, float y) {
    const float distance = portable::hypot(x - centreX, y - kCentreY);
    const bool ring = std::fabs(distance - kRadius) < 1.1f;
    const bool gap = std::fabs(x - centreX) < 3.5f || std::fabs(y - kCentreY) < 3.5f;
    const bool hair = (std::fabs(x - centreX) < 0.6f || std::fabs(y - kCentreY) < 0.6f) &&
                      distance > 5.0f && distance < 18.0f;
    return (ring && !gap) || hair;
  });
  FillShape(image, centreX - 3, 28, 7, 7, kAmber, [=](float x, float y) {
    return std::fabs(x - centreX) + std::fabs(y - kCentreY) < 2.6f;
  });
}

// A bar code of seeded widths between two guard bars.
void DrawBarcode(PixelImage& image, int left, int width) {
  ContentRandom random(0x51de5719);
  FillRect(image, left, 14, 1, 33, kPale);
  int x = left + 3;
  while (x < left + width - 4) {
    const int bar = 1 + random.Below(3);
    FillRect(image, x, 16, bar, 29, kPale);
    x += bar + 1 + random.Below(3);
  }
  FillRect(image, left + width - 1, 14, 1, 33, kPale);
}

// A rising row of signal bars, the lit ones amber.
void DrawMeter(PixelImage& image, int left, int bars, int lit) {
  for (int bar = 0; bar < bars; ++bar) {
    const int height = 6 + bar * 3;
    FillRect(image, left + bar * 5, 46 - height, 3, height, bar < lit ? kAmber : kDimCyan);
  }
}

// Slanted warning stripes in a frame.
void DrawHazard(PixelImage& image, int left, int width) {
  FillRect(image, left, 16, width, 29, kShadow);
  FillShape(image, left, 16, width, 29, kAmber, [=](float x, float y) {
    return std::fmod(x - left + y, 10.0f) < 5.0f;
  });
}

// Columns of hexadecimal readings.
void DrawReadout(PixelImage& image, int left) {
  DrawLabel(image, "3F7A 0C91", 10, left, 16, kDimCyan);
  DrawLabel(image, "E204 5BD6", 10, left, 29, kDimCyan);
}

}  // namespace

PixelImage MakeSideStripPicture() {
  PixelImage picture(kLength, kBreadth, {0, 0, 0, 0});
  for (int y = 3; y < 61; ++y) {
    for (int x = 0; x < kLength; ++x) picture.Set(x, y, kPanel);
  }
  DrawFrame(picture);
  DrawLabel(picture, "TERRAIN SCAN", 14, 10, 15, kPale);
  DrawLabel(picture, "ALT 0437", 11, 12, 33, kAmber);
  DrawChevrons(picture, 120, 5);
  DrawReticle(picture, 208);
  DrawBarcode(picture, 240, 46);
  DrawReadout(picture, 298);
  DrawMeter(picture, 374, 7, 5);
  DrawLabel(picture, "VECTOR", 12, 416, 16, kCyan);
  DrawLabel(picture, "LOCK", 12, 424, 31, kAmber);
  DrawHazard(picture, 474, 28);
  return picture;
}
