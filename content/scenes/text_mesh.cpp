#include "scenes/text_mesh.h"

#include <algorithm>
#include <limits>

#include "scenes/glyph_outline.h"
#include "scenes/sweeps.h"

namespace scenes {
namespace {

// The cap height of the letters used to centre lines vertically: x-height letters and
// capitals both sit around half of it.
constexpr float kMiddleHeight = 0.36f;

Vec2 CentreOf(const std::vector<Contour>& contours) {
  float left = std::numeric_limits<float>::max(), right = -left, bottom = left, top = -left;
  for (const Contour& contour : contours) {
    for (const Vec2& point : contour) {
      left = std::min(left, point.x);
      right = std::max(right, point.x);
      bottom = std::min(bottom, point.y);
      top = std::max(top, point.y);
    }
  }
  return {(left + right) / 2, (bottom + top) / 2};
}

}  // namespace

std::vector<Letter> Letters(std::string_view text, const Lettering& lettering) {
  const TextOutline line = OutlineText(text, lettering.face, lettering.curveSteps);
  const float scaleX = lettering.height * lettering.widthScale;
  std::vector<Letter> letters;
  for (const GlyphOutline& glyph : line.glyphs) {
    if (glyph.contours.empty()) continue;
    const Vec2 middle = CentreOf(glyph.contours);
    // The outline around the glyph's own middle, in world units.
    std::vector<Contour> contours = glyph.contours;
    for (Contour& contour : contours) {
      for (Vec2& point : contour) {
        point = {(point.x - middle.x) * scaleX, (point.y - middle.y) * lettering.height};
      }
    }
    Letter letter;
    letter.character = glyph.character;
    letter.centre = {(glyph.penX + middle.x - line.width / 2) * scaleX,
                     (middle.y - kMiddleHeight) * lettering.height, 0};
    letter.mesh = lettering.flat ? FlatOutline(contours, 1 / lettering.height)
                                 : ExtrudeOutline(contours, lettering.depth, lettering.withBack,
                                                  1 / lettering.height);
    letters.push_back(std::move(letter));
  }
  return letters;
}

Mesh TextMesh(std::string_view text, const Lettering& lettering) {
  Mesh line;
  for (const Letter& letter : Letters(text, lettering)) {
    Append(line, Placed(letter.mesh, {letter.centre, {}, {1, 1, 1}}));
  }
  return line;
}

}  // namespace scenes
