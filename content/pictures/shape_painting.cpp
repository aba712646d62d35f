#include "pictures/shape_painting.h"
#include "kit/portable_maths.h"

namespace picture_art {
namespace {
float Length(float x, float y) { return std::sqrt(x * x + y * y); }
}  // namespace

PixelArea AreaAround(float x0, float y0, float x1, float y1, float margin) {
  return {static_cast<int>(std::floor(std::min(x0, x1) - margin)),
          static_cast<int>(std::floor(std::min(y0, y1) - margin)),
          static_cast<int>(std::ceil(std::max(x0, x1) + margin)) + 1,
          static_cast<int>(std::ceil(std::max(y0, y1) + margin)) + 1};
}

float SegmentDistance(Point p, Point a, Point b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float lengthSquared = dx * dx + dy * dy;
  const float t =
      lengthSquared > 0.0f
          ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0f, 1.0f)
          : 0.0f;
  return Length(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

void FillRect(LayerCanvas& canvas, float left, float top, float right, float bottom,
              Colour colour) {
  const float halfWidth = (right - left) * 0.5f, halfHeight = (bottom - top) * 0.5f;
  const float centreX = left + halfWidth, centreY = top + halfHeight;
  CoverArea(canvas, AreaAround(left, top, right, bottom, 1), colour, [&](float x, float y) {
    return EdgeCoverage(std::abs(x - centreX) - halfWidth) *
           EdgeCoverage(std::abs(y - centreY) - halfHeight);
  });
}

void FillDisc(LayerCanvas& canvas, Point centre, float radius, Colour colour) {
  CoverArea(
      canvas,
      AreaAround(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, 1),
      colour,
      [&](float x, float y) { return EdgeCoverage(Length(x - centre.x, y - centre.y) - radius); });
}

void StrokeRing(LayerCanvas& canvas, Point centre, float radius, float width, Colour colour) {
  const float outer = radius + width * 0.5f;
  CoverArea(
      canvas, AreaAround(centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer, 1),
      colour, [&](float x, float y) {
        return EdgeCoverage(std::abs(Length(x - centre.x, y - centre.y) - radius) - width * 0.5f);
      });
}

void StrokeArc(LayerCanvas& canvas, Point centre, float radius, float width, float from, float to,
               Colour colour) {
  const float outer = radius + width * 0.5f;
  const float middle = (from + to) * 0.5f, halfSpan = (to - from) * 0.5f;
  CoverArea(
      canvas, AreaAround(centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer, 1),
      colour, [&](float x, float y) {
        const float dx = x - centre.x, dy = y - centre.y;
        const float distance = Length(dx, dy);
        // Angle from the arc's middle, folded into -pi..pi.
        const float angle =
            std::remainder(portable::atan2(dy, dx) - middle, 2.0f * std::numbers::pi_v<float>);
        const float alongEnd = (std::abs(angle) - halfSpan) * distance;
        return EdgeCoverage(std::abs(distance - radius) - width * 0.5f) * EdgeCoverage(alongEnd);
      });
}

void StrokePath(LayerCanvas& canvas, const std::vector<Point>& points, float width, Colour colour) {
  float x0 = points.front().x, y0 = points.front().y, x1 = x0, y1 = y0;
  for (const Point& point : points) {
    x0 = std::min(x0, point.x), x1 = std::max(x1, point.x);
    y0 = std::min(y0, point.y), y1 = std::max(y1, point.y);
  }
  CoverArea(canvas, AreaAround(x0, y0, x1, y1, width), colour, [&](float x, float y) {
    float nearest = SegmentDistance({x, y}, points.front(), points.front());
    for (size_t i = 1; i < points.size(); ++i) {
      nearest = std::min(nearest, SegmentDistance({x, y}, points[i - 1], points[i]));
    }
    return EdgeCoverage(nearest - width * 0.5f);
  });
}

void ShadeRect(LayerCanvas& canvas, float left, float top, float right, float bottom, float feather,
               Colour colour) {
  const float halfWidth = (right - left) * 0.5f, halfHeight = (bottom - top) * 0.5f;
  const float centreX = left + halfWidth, centreY = top + halfHeight;
  CoverArea(canvas, AreaAround(left, top, right, bottom, feather), colour, [&](float x, float y) {
    const float outX = std::max(0.0f, std::abs(x - centreX) - halfWidth);
    const float outY = std::max(0.0f, std::abs(y - centreY) - halfHeight);
    return 1.0f - SmoothStep(0, feather, Length(outX, outY));
  });
}

void ShadeDisc(LayerCanvas& canvas, Point centre, float radius, float feather, Colour colour) {
  const float reach = radius + feather;
  CoverArea(canvas,
            AreaAround(centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach, 0),
            colour, [&](float x, float y) {
              return 1.0f - SmoothStep(radius, reach, Length(x - centre.x, y - centre.y));
            });
}

void Glow(LayerCanvas& canvas, Point centre, float radius, Colour colour, float strength) {
  LightArea(
      canvas,
      AreaAround(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, 0),
      colour, [&](float x, float y) {
        const float falloff = std::max(0.0f, 1.0f - Length(x - centre.x, y - centre.y) / radius);
        return strength * falloff * falloff * falloff;
      });
}

void CoverInk(LayerCanvas& canvas, const Coverage& ink, float left, float top, Colour colour) {
  const int x0 = static_cast<int>(std::lround(left)), y0 = static_cast<int>(std::lround(top));
  CoverArea(canvas, {x0, y0, x0 + ink.width, y0 + ink.height}, colour, [&](float x, float y) {
    return ink.at(static_cast<int>(x) - x0, static_cast<int>(y) - y0) / 255.0f;
  });
}

}  // namespace picture_art
