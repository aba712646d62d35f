#include "scenes/glyph_outline.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <stdexcept>
#include <string>

#include "kit/font_session.h"

namespace scenes {
namespace {

// Collects the contours of one glyph in em units while FreeType walks its outline.
struct OutlineWalk {
  float unitsPerEm;
  int curveSteps;
  std::vector<Contour> contours;
  Vec2 pen;

  Vec2 ToEm(const FT_Vector* point) const {
    return {static_cast<float>(point->x) / unitsPerEm, static_cast<float>(point->y) / unitsPerEm};
  }
  void LineTo(Vec2 point) {
    contours.back().push_back(point);
    pen = point;
  }
};

OutlineWalk& WalkOf(void* user) { return *static_cast<OutlineWalk*>(user); }

int MoveTo(const FT_Vector* to, void* user) {
  OutlineWalk& walk = WalkOf(user);
  walk.contours.emplace_back();
  walk.LineTo(walk.ToEm(to));
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  OutlineWalk& walk = WalkOf(user);
  walk.LineTo(walk.ToEm(to));
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  OutlineWalk& walk = WalkOf(user);
  const Vec2 start = walk.pen, middle = walk.ToEm(control), end = walk.ToEm(to);
  for (int step = 1; step <= walk.curveSteps; ++step) {
    const float t = static_cast<float>(step) / static_cast<float>(walk.curveSteps);
    const float a = (1 - t) * (1 - t), b = 2 * t * (1 - t), c = t * t;
    walk.LineTo({a * start.x + b * middle.x + c * end.x, a * start.y + b * middle.y + c * end.y});
  }
  return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
  OutlineWalk& walk = WalkOf(user);
  const Vec2 p0 = walk.pen, p1 = walk.ToEm(control1), p2 = walk.ToEm(control2), p3 = walk.ToEm(to);
  for (int step = 1; step <= walk.curveSteps; ++step) {
    const float t = static_cast<float>(step) / static_cast<float>(walk.curveSteps);
    const float s = 1 - t;
    const float a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
    walk.LineTo(
        {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  return 0;
}

// FreeType closes each contour itself by returning to its first point; the contours here
// close implicitly, so a repeated last point is dropped.
void DropClosingPoints(std::vector<Contour>& contours) {
  for (Contour& contour : contours) {
    if (contour.size() > 1 && contour.front().x == contour.back().x &&
        contour.front().y == contour.back().y) {
      contour.pop_back();
    }
  }
}

}  // namespace

TextOutline OutlineText(std::string_view text, Typeface typeface, int curveSteps) {
  const FontSession font(typeface);
  FT_Face face = font.face();
  const float unitsPerEm = static_cast<float>(face->units_per_EM);
  const FT_Outline_Funcs functions{&MoveTo, &LineTo, &ConicTo, &CubicTo, 0, 0};
  TextOutline line;
  long pen = 0;  // font units
  FT_UInt previous = 0;
  for (const char character : text) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(character));
    if (previous != 0 && index != 0) {
      FT_Vector kerning{};
      FT_Get_Kerning(face, previous, index, FT_KERNING_UNSCALED, &kerning);
      pen += kerning.x;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) {
      throw std::runtime_error(std::string("no outline for '") + character + "'");
    }
    OutlineWalk walk{unitsPerEm, curveSteps, {}, {}};
    FT_Outline_Decompose(&face->glyph->outline, &functions, &walk);
    DropClosingPoints(walk.contours);
    line.glyphs.push_back(
        {character, static_cast<float>(pen) / unitsPerEm, std::move(walk.contours)});
    pen += face->glyph->advance.x;
    previous = index;
  }
  line.width = static_cast<float>(pen) / unitsPerEm;
  return line;
}

}  // namespace scenes
