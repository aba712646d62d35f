// The opening's graphic marks: a tuning dial, a table of invented glyphs and chevrons.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "kit/random.h"
#include "pictures/intro_painters.h"
#include "pictures/line_text.h"
#include "pictures/palette.h"
#include "pictures/shape_painting.h"
#include "kit/portable_maths.h"

namespace picture_art {
namespace {
Point OnCircle(Point centre, float radius, float angle) {
  return {centre.x + radius * portable::cos(angle), centre.y + radius * portable::sin(angle)};
}

// An L-shaped registration mark whose corner is `corner`, arms pointing along (dx, dy).
void CornerMark(LayerCanvas& canvas, Point corner, float dx, float dy) {
  constexpr float kArm = 40;
  StrokePath(canvas, {{corner.x + dx * kArm, corner.y}, corner, {corner.x, corner.y + dy * kArm}},
             4, kPaper);
}

// A glyph of an invented script: a few strokes between the nodes of a 3 x 3 grid.
void InventedGlyph(LayerCanvas& canvas, ContentRandom& random, Point topLeft, float size,
                   Colour colour) {
  const auto node = [&](int column, int row) {
    return Point{topLeft.x + column * size * 0.5f, topLeft.y + row * size * 0.5f};
  };
  const int strokes = 3 + random.Below(2);
  for (int stroke = 0; stroke < strokes; ++stroke) {
    int column = random.Below(3), row = random.Below(3);
    std::vector<Point> path{node(column, row)};
    const int bends = 1 + random.Below(2);
    for (int bend = 0; bend < bends; ++bend) {
      int nextColumn = column, nextRow = row;
      while (nextColumn == column && nextRow == row) {
        nextColumn = std::clamp(column + random.Below(3) - 1, 0, 2);
        nextRow = std::clamp(row + random.Below(3) - 1, 0, 2);
      }
      column = nextColumn, row = nextRow;
      path.push_back(node(column, row));
    }
    StrokePath(canvas, path, size * 0.12f, colour);
  }
}
}  // namespace

void PaintTuningDial(LayerCanvas& canvas) {
  const Point centre{384, 288};
  ShadeDisc(canvas, centre, 236, 44, Faded(kInk, 0.82f));
  StrokeRing(canvas, centre, 240, 4, kPaper);
  for (int tick = 0; tick < 120; ++tick) {
    const float angle = static_cast<float>(tick) * kFullTurn / 120.0f;
    const bool major = tick % 10 == 0;
    const float length = major ? 26.0f : tick % 5 == 0 ? 16.0f : 8.0f;
    StrokePath(canvas, {OnCircle(centre, 226 - length, angle), OnCircle(centre, 226, angle)},
               major ? 5.0f : 3.0f, Faded(kPaper, major ? 1.0f : 0.7f));
  }
  StrokeRing(canvas, centre, 190, 3, Faded(kAmber, 0.4f));
  StrokeArc(canvas, centre, 190, 14, -2.0f, -0.3f, kAmber);
  StrokeRing(canvas, centre, 140, 3, Faded(kPaper, 0.5f));
  StrokePath(canvas, {{60, 288}, {300, 288}}, 3, Faded(kPaper, 0.8f));
  StrokePath(canvas, {{468, 288}, {708, 288}}, 3, Faded(kPaper, 0.8f));
  StrokePath(canvas, {{384, 24}, {384, 204}}, 3, Faded(kPaper, 0.8f));
  StrokePath(canvas, {{384, 372}, {384, 552}}, 3, Faded(kPaper, 0.8f));

  constexpr float kNeedleAngle = -0.95f;
  const Point needleTip = OnCircle(centre, 196, kNeedleAngle);
  Glow(canvas, centre, 120, kAmber, 0.75f);
  StrokePath(canvas, {centre, needleTip}, 6, kAmber);
  Glow(canvas, needleTip, 64, kAmber, 0.6f);
  FillDisc(canvas, needleTip, 10, kPaper);
  StrokeRing(canvas, centre, 30, 3, kAmber);
  FillDisc(canvas, centre, 12, kPaper);

  CoverTaggedLine(canvas, "ch 01", Typeface::kMonoBold, 38, 40, 36, Align::kLeft, kPaper,
                  kLabelBacking, 10);
  CoverTaggedLine(canvas, Tracked("tuning"), Typeface::kMonoBold, 30, 724, 508, Align::kRight,
                  kAmber, kLabelBacking, 10);
}

void PaintGlyphTable(LayerCanvas& canvas) {
  constexpr float kLeft = 64, kTop = 64, kRight = 704, kBottom = 512;
  ShadeRect(canvas, kLeft, kTop, kRight, kBottom, 20, Faded(kInk, 0.82f));
  CornerMark(canvas, {kLeft - 14, kTop - 14}, 1, 1);
  CornerMark(canvas, {kRight + 14, kTop - 14}, -1, 1);
  CornerMark(canvas, {kLeft - 14, kBottom + 14}, 1, -1);
  CornerMark(canvas, {kRight + 14, kBottom + 14}, -1, -1);

  constexpr int kColumns = 4, kRows = 3, kMarked = 6;
  constexpr float kGlyph = 84;
  const float cellWidth = (kRight - kLeft) / kColumns, cellHeight = (kBottom - kTop) / kRows;
  ContentRandom random(0x61795048);
  for (int index = 0; index < kColumns * kRows; ++index) {
    const float centreX = kLeft + cellWidth * (static_cast<float>(index % kColumns) + 0.5f);
    const float centreY = kTop + cellHeight * (static_cast<float>(index / kColumns) + 0.5f) - 14;
    const Point topLeft{centreX - kGlyph * 0.5f, centreY - kGlyph * 0.5f};
    const bool marked = index == kMarked;
    if (marked) {
      FillRect(canvas, topLeft.x - 18, topLeft.y - 18, topLeft.x + kGlyph + 18,
               topLeft.y + kGlyph + 18, kAmber);
    }
    InventedGlyph(canvas, random, topLeft, kGlyph, marked ? kInk : kPaper);
    std::string number = index < 9 ? "0" : "";
    number += std::to_string(index + 1);
    CoverLine(canvas, number, Typeface::kMonoBold, 24, centreX, centreY + 66, Align::kCentre,
              Faded(marked ? kAmber : kPaper, marked ? 1.0f : 0.6f));
  }
  CoverTaggedLine(canvas, Tracked("index"), Typeface::kMonoBold, 30, kRight, kBottom + 20,
                  Align::kRight, kAmber, kLabelBacking, 8);
}

void PaintChevrons(LayerCanvas& canvas) {
  const Point centre{384, 288};
  ShadeDisc(canvas, {centre.x + 20, centre.y}, 190, 80, Faded(kInk, 0.8f));
  for (const float size : {110.0f, 170.0f, 230.0f}) {
    StrokePath(canvas,
               {{centre.x, centre.y - size},
                {centre.x + size, centre.y},
                {centre.x, centre.y + size},
                {centre.x - size, centre.y},
                {centre.x, centre.y - size}},
               4, Faded(kPaper, 0.6f));
  }
  ContentRandom random(0x43484556);
  for (float y = 196; y <= 380; y += 23) {
    const float start = random.Range(40, 120);
    StrokePath(canvas, {{start, y}, {start + random.Range(50, 110), y}}, 4, kPaper);
  }
  const float opacities[] = {0.35f, 0.65f, 1.0f};
  for (int chevron = 0; chevron < 3; ++chevron) {
    const float x = 220.0f + 130.0f * static_cast<float>(chevron);
    StrokePath(canvas, {{x, centre.y - 120}, {x + 120, centre.y}, {x, centre.y + 120}}, 40,
               Faded(kAmber, opacities[chevron]));
  }
  CoverTaggedLine(canvas, "04", Typeface::kSansBold, 52, 50, 40, Align::kLeft, kPaper,
                  kLabelBacking, 10);
  CoverTaggedLine(canvas, Tracked("forward"), Typeface::kMonoBold, 30, 50, 112, Align::kLeft,
                  kAmber, kLabelBacking, 10);
}

}  // namespace picture_art
