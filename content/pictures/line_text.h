#pragma once
// Text lines for the pictures, on top of the kit's FreeType text.
#include <string>
#include <string_view>

#include "kit/text_raster.h"
#include "pictures/layer_canvas.h"

namespace picture_art {

// Sets `text` like RenderText, but cropped only at its sides: every line of one face and
// size has the same height and the same baseline inside its ink, so lines placed at equal
// tops stand on one baseline whatever letters they contain.
Coverage SetLine(std::string_view text, Typeface face, int pixelSize);

// Letter-spaced text: one space between letters, three between words.
std::string Tracked(std::string_view text);

// The top at which a SetLine line of `pixelSize` (DejaVu Sans) has its lower-case letters
// centred on `middle`: the baseline lies 0.76 em below the line's top and the x-height is
// about 0.55 em.
inline float LowerCaseTop(float middle, int pixelSize) {
  const float size = static_cast<float>(pixelSize);
  return middle + 0.275f * size - 0.76f * size;
}

enum class Align { kLeft, kCentre, kRight };

// Sets `text` with SetLine and covers the canvas with it: `x` is the line's left edge,
// centre or right edge as `align` says, `top` the top of its line. Returns the line's ink.
Coverage CoverLine(LayerCanvas& canvas, std::string_view text, Typeface face, int pixelSize,
                   float x, float top, Align align, Colour colour);

// CoverLine on a box of `backing` reaching `padding` pixels around the line: a label that
// stays readable over the static.
Coverage CoverTaggedLine(LayerCanvas& canvas, std::string_view text, Typeface face, int pixelSize,
                         float x, float top, Align align, Colour colour, Colour backing,
                         float padding);

}  // namespace picture_art
