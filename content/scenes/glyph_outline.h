#pragma once
// The outlines of letters, from the same Debian DejaVu fonts the pictures use, flattened
// into contours for extrusion into 3D text.
#include <string_view>
#include <vector>

#include "kit/text_raster.h"
#include "scenes/polygon_tessellation.h"

namespace scenes {

struct GlyphOutline {
  char character = 0;
  float penX = 0;  // where the glyph's origin sits on the line
  std::vector<Contour> contours;
};

struct TextOutline {
  std::vector<GlyphOutline> glyphs;  // one per character, spaces included (no contours)
  float width = 0;                   // pen advance of the whole line
};

// Lays `text` out on one line in em units (the font's em is 1, y up from the baseline),
// with the font's kerning; curves are flattened into `curveSteps` segments each.
TextOutline OutlineText(std::string_view text, Typeface face, int curveSteps);

}  // namespace scenes
