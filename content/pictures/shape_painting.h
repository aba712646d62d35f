#pragma once
// Anti-aliased shapes on a LayerCanvas, in design pixels (y down, angles in radians
// clockwise from +x on screen). Edges are one design pixel soft; the reduction to the
// texture smooths them further.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "kit/text_raster.h"
#include "pictures/layer_canvas.h"

namespace picture_art {

// A rectangle of design pixels, right and bottom exclusive.
struct PixelArea {
  int left, top, right, bottom;
};

inline constexpr float kFullTurn = 2.0f * std::numbers::pi_v<float>;

struct Point {
  float x, y;
};

// Opacity of a shape's edge at signed distance `distance` (pixels, negative inside).
inline float EdgeCoverage(float distance) { return std::clamp(0.5f - distance, 0.0f, 1.0f); }

// 0 below `edge0`, 1 above `edge1`, smooth between.
inline float SmoothStep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// Calls `visit(x, y, px, py)` for every canvas pixel of `area`, (px, py) its centre.
template <typename Visit>
void ForEachPixel(const LayerCanvas& canvas, PixelArea area, Visit visit) {
  const int top = std::max(area.top, 0), bottom = std::min(area.bottom, canvas.height());
  const int left = std::max(area.left, 0), right = std::min(area.right, canvas.width());
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      visit(x, y, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
    }
  }
}

// Covers `area` with `colour` times `coverageAt(px, py)`.
template <typename CoverageAt>
void CoverArea(LayerCanvas& canvas, PixelArea area, Colour colour, CoverageAt coverageAt) {
  ForEachPixel(canvas, area, [&](int x, int y, float px, float py) {
    const float coverage = coverageAt(px, py);
    if (coverage > 0.0f) canvas.Cover(x, y, colour, coverage);
  });
}

// Lights `area` with `colour` times `amountAt(px, py)`.
template <typename AmountAt>
void LightArea(LayerCanvas& canvas, PixelArea area, Colour colour, AmountAt amountAt) {
  ForEachPixel(canvas, area, [&](int x, int y, float px, float py) {
    const float amount = amountAt(px, py);
    if (amount > 0.0f) canvas.Light(x, y, colour, amount);
  });
}

// The area within `margin` pixels of the box from (x0, y0) to (x1, y1).
PixelArea AreaAround(float x0, float y0, float x1, float y1, float margin);

// Distance from `p` to the segment from `a` to `b`.
float SegmentDistance(Point p, Point a, Point b);

void FillRect(LayerCanvas& canvas, float left, float top, float right, float bottom, Colour colour);
void FillDisc(LayerCanvas& canvas, Point centre, float radius, Colour colour);
void StrokeRing(LayerCanvas& canvas, Point centre, float radius, float width, Colour colour);
// The part of a ring from angle `from` to angle `to` (from < to), with square ends.
void StrokeArc(LayerCanvas& canvas, Point centre, float radius, float width, float from, float to,
               Colour colour);
// Connected straight strokes with round joints and caps, covered once where they overlap.
void StrokePath(LayerCanvas& canvas, const std::vector<Point>& points, float width, Colour colour);
// A shadow that fills the rectangle with `colour` and fades out over `feather` pixels
// around it, so that a picture stands out from the static behind it.
void ShadeRect(LayerCanvas& canvas, float left, float top, float right, float bottom, float feather,
               Colour colour);
// The same around a disc.
void ShadeDisc(LayerCanvas& canvas, Point centre, float radius, float feather, Colour colour);
// A soft round light, strongest (`strength`) at the centre and gone at `radius`.
void Glow(LayerCanvas& canvas, Point centre, float radius, Colour colour, float strength);
// Covers the canvas with text ink, its top left corner at (left, top).
void CoverInk(LayerCanvas& canvas, const Coverage& ink, float left, float top, Colour colour);

}  // namespace picture_art
