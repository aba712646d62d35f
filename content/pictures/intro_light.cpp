// The opening's pictures of light: a lantern's glow, a halftone orb and a horizon.
#include <cmath>

#include "kit/noise.h"
#include "pictures/intro_painters.h"
#include "pictures/line_text.h"
#include "pictures/palette.h"
#include "pictures/shape_painting.h"
#include "kit/portable_maths.h"

namespace picture_art {
namespace {
// A tilted ellipse outline; `front` picks the half below the ellipse's long axis (nearer
// the viewer of an orbit seen from above), otherwise the half behind.
struct Orbit {
  Point centre;
  float radiusX, radiusY, tilt;

  void Stroke(LayerCanvas& canvas, float width, bool front, Colour colour) const {
    const float cosine = portable::cos(tilt), sine = portable::sin(tilt);
    CoverArea(canvas,
              AreaAround(centre.x - radiusX, centre.y - radiusX, centre.x + radiusX,
                         centre.y + radiusX, width),
              colour, [&](float x, float y) {
                const float dx = x - centre.x, dy = y - centre.y;
                const float along = dx * cosine + dy * sine, across = -dx * sine + dy * cosine;
                if ((across > 0.0f) != front) return 0.0f;
                const float qx = along / radiusX, qy = across / radiusY;
                const float length = std::sqrt(qx * qx + qy * qy);
                if (length == 0.0f) return 0.0f;
                const float slope =
                    std::sqrt(qx * qx / (radiusX * radiusX) + qy * qy / (radiusY * radiusY)) /
                    length;
                return EdgeCoverage(std::abs(length - 1.0f) / slope - width * 0.5f);
              });
  }
};
}  // namespace

void PaintLanternLight(LayerCanvas& canvas) {
  const Point centre{384, 270};
  constexpr float kReach = 260;
  ShadeDisc(canvas, centre, 170, 100, Faded(kInk, 0.88f));
  for (float y = 10; y < 560; y += 20) {
    for (float x = 14; x < 760; x += 20) {
      const float distance = portable::hypot(x - centre.x, y - centre.y);
      if (distance < 70 || distance > 250) continue;
      const float closeness = 1.0f - (distance - 70.0f) / 180.0f;
      const float radius = 7.5f * portable::pow(closeness, 1.2f);
      if (radius > 0.8f) FillDisc(canvas, {x, y}, radius, Mix(kPaper, kAmber, closeness));
    }
  }
  StrokeRing(canvas, centre, 110, 3, Faded(kPaper, 0.6f));
  for (int dash = 0; dash < 24; ++dash) {
    const float from = static_cast<float>(dash) * kFullTurn / 24.0f;
    StrokeArc(canvas, centre, 172, 4, from, from + kFullTurn / 48.0f, Faded(kPaper, 0.45f));
  }
  LightArea(canvas, AreaAround(centre.x, centre.y, centre.x, centre.y, kReach), kAmber,
            [&](float x, float y) {
              const float distance = portable::hypot(x - centre.x, y - centre.y);
              const float falloff = std::max(0.0f, 1.0f - distance / kReach);
              const float turn = portable::atan2(y - centre.y, x - centre.x) / kFullTurn + 0.5f;
              const float beams = portable::pow(std::abs(portable::cos(turn * kFullTurn * 4.0f)), 12.0f);
              const float streaks = portable::pow(ValueNoise(turn * 64.0f, 0.5f, 64, 0x4C494748), 3.0f);
              return falloff * falloff * (0.35f + 0.9f * beams + 0.9f * streaks);
            });
  Glow(canvas, centre, 100, kPaper, 0.95f);
  FillDisc(canvas, centre, 16, kPaper);
  CoverTaggedLine(canvas, "03", Typeface::kMonoBold, 38, 40, 36, Align::kLeft, kPaper,
                  kLabelBacking, 10);
  CoverTaggedLine(canvas, Tracked("light"), Typeface::kSansBold, 44, centre.x, 496, Align::kCentre,
                  kPaper, kLabelBacking, 12);
}

void PaintHalftoneOrb(LayerCanvas& canvas) {
  const Point centre{384, 280};
  constexpr float kRadius = 190;
  const Orbit orbit{{384, 300}, 330, 76, -0.2f};
  ShadeDisc(canvas, centre, kRadius + 10, 70, Faded(kInk, 0.82f));
  orbit.Stroke(canvas, 4, false, Faded(kAmber, 0.5f));
  FillDisc(canvas, centre, kRadius + 6, Faded(kInk, 0.9f));
  // Light from the upper left, in front of the picture; dots on a hexagonal screen.
  const float lightX = -0.55f, lightY = -0.6f, lightZ = 0.58f;
  constexpr float kSpacing = 15, kRowStep = kSpacing * 0.8660254f;
  int row = 0;
  for (float y = centre.y - kRadius; y <= centre.y + kRadius; y += kRowStep, ++row) {
    const float shift = row % 2 == 0 ? 0.0f : kSpacing * 0.5f;
    for (float x = centre.x - kRadius + shift; x <= centre.x + kRadius; x += kSpacing) {
      const float nx = (x - centre.x) / kRadius, ny = (y - centre.y) / kRadius;
      const float rim = nx * nx + ny * ny;
      if (rim >= 1.0f) continue;
      const float nz = std::sqrt(1.0f - rim);
      const float lit = std::max(0.0f, nx * lightX + ny * lightY + nz * lightZ);
      const float radius = 7.2f * portable::pow(0.15f + 0.85f * lit, 0.9f);
      FillDisc(canvas, {x, y}, radius, Mix(kAmber, kPaper, lit));
    }
  }
  orbit.Stroke(canvas, 4, true, kAmber);
  const Point moon{orbit.centre.x - 250, orbit.centre.y + 48};
  Glow(canvas, moon, 70, kAmber, 0.8f);
  FillDisc(canvas, moon, 11, kPaper);
  CoverTaggedLine(canvas, "02", Typeface::kMonoBold, 38, 40, 36, Align::kLeft, kPaper,
                  kLabelBacking, 10);
  CoverTaggedLine(canvas, Tracked("orbit"), Typeface::kMonoBold, 30, 724, 508, Align::kRight,
                  kAmber, kLabelBacking, 10);
}

void PaintHorizonGrid(LayerCanvas& canvas) {
  constexpr float kHorizon = 250, kVanishX = 384, kFocal = 300;
  const Point sunCentre{kVanishX, kHorizon};
  constexpr float kSunRadius = 150;
  ShadeRect(canvas, 60, 80, 708, 480, 40, Faded(kInk, 0.82f));
  ForEachPixel(
      canvas,
      AreaAround(kVanishX - kSunRadius, kHorizon - kSunRadius, kVanishX + kSunRadius, kHorizon, 1),
      [&](int x, int y, float px, float py) {
        const float height = (kHorizon - py) / kSunRadius;
        // Bands cut into the sun, wider towards the horizon.
        const float band = std::fmod(kHorizon - py, 26.0f) / 26.0f;
        const float cut = std::max(0.0f, 0.55f - height) * 1.3f;
        if (band < cut || height < 0.0f) return;
        const float edge =
            EdgeCoverage(portable::hypot(px - sunCentre.x, py - sunCentre.y) - kSunRadius);
        canvas.Cover(x, y, Mix(kEmber, Mix(kAmber, kPaper, 0.35f), height), edge);
      });
  LightArea(canvas, {40, 200, 728, 300}, kAmber, [&](float x, float y) {
    const float side = std::max(0.0f, 1.0f - std::abs(x - kVanishX) / 344.0f);
    return portable::exp(-std::abs(y - kHorizon) / 16.0f) * side * side;
  });
  CoverArea(canvas, {40, static_cast<int>(kHorizon) + 2, 728, 548}, Faded(kPaper, 0.8f),
            [&](float x, float y) {
              const float below = y - kHorizon;
              const float depth = kFocal / below;  // camera one unit above the floor
              const float across = (x - kVanishX) * depth / kFocal;
              constexpr float kStepX = 0.25f, kStepZ = 0.5f, kShiftZ = 0.15f;
              const float offX = std::abs(across - std::round(across / kStepX) * kStepX);
              const float offZ =
                  std::abs(depth - kShiftZ - std::round((depth - kShiftZ) / kStepZ) * kStepZ);
              const float screenOff =
                  std::min(offX * kFocal / depth, offZ * kFocal / (depth * depth));
              const float fog = portable::pow(std::clamp(1.0f - depth / 9.0f, 0.0f, 1.0f), 2.0f);
              const float frame = (1.0f - SmoothStep(280, 340, std::abs(x - kVanishX))) *
                                  (1.0f - SmoothStep(450, 505, y));
              return EdgeCoverage(screenOff - 1.8f) * fog * frame;
            });
  CoverTaggedLine(canvas, "06", Typeface::kMonoBold, 38, 40, 36, Align::kLeft, kPaper,
                  kLabelBacking, 10);
  CoverTaggedLine(canvas, Tracked("horizon"), Typeface::kMonoBold, 30, 724, 40, Align::kRight,
                  kAmber, kLabelBacking, 10);
}

}  // namespace picture_art
