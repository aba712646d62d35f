#include "pictures/line_text.h"

#include <string>

#include "pictures/shape_painting.h"

namespace picture_art {
namespace {
// The bar reaches from below the deepest descender to above the tallest ascender, so
// framing a text between two bars gives its ink the font's whole line height.
constexpr std::string_view kFrame = "|";

bool ColumnIsBlank(const Coverage& ink, int x) {
  for (int y = 0; y < ink.height; ++y) {
    if (ink.at(x, y) != 0) return false;
  }
  return true;
}

// The left edge of a line of `width` whose `align` edge lies at `x`.
float LineLeft(float x, int width, Align align) {
  const float shift = align == Align::kLeft     ? 0.0f
                      : align == Align::kCentre ? static_cast<float>(width) * 0.5f
                                                : static_cast<float>(width);
  return x - shift;
}
}  // namespace

Coverage SetLine(std::string_view text, Typeface face, int pixelSize) {
  std::string framedText(kFrame);
  framedText += text;
  framedText += kFrame;
  const Coverage framed = RenderText(framedText, face, pixelSize);
  const int barWidth = RenderText(kFrame, face, pixelSize).width;
  int left = barWidth, right = framed.width - barWidth;
  while (left < right && ColumnIsBlank(framed, left)) ++left;
  while (right > left && ColumnIsBlank(framed, right - 1)) --right;
  Coverage line{right - left, framed.height, {}};
  for (int y = 0; y < framed.height; ++y) {
    for (int x = left; x < right; ++x) line.values.push_back(framed.at(x, y));
  }
  return line;
}

std::string Tracked(std::string_view text) {
  std::string spaced;
  for (const char character : text) {
    if (!spaced.empty()) spaced += ' ';
    spaced += character;
  }
  return spaced;
}

Coverage CoverLine(LayerCanvas& canvas, std::string_view text, Typeface face, int pixelSize,
                   float x, float top, Align align, Colour colour) {
  Coverage line = SetLine(text, face, pixelSize);
  CoverInk(canvas, line, LineLeft(x, line.width, align), top, colour);
  return line;
}

Coverage CoverTaggedLine(LayerCanvas& canvas, std::string_view text, Typeface face, int pixelSize,
                         float x, float top, Align align, Colour colour, Colour backing,
                         float padding) {
  Coverage line = SetLine(text, face, pixelSize);
  const float left = LineLeft(x, line.width, align);
  FillRect(canvas, left - padding, top - padding * 0.5f,
           left + static_cast<float>(line.width) + padding,
           top + static_cast<float>(line.height) + padding * 0.5f, backing);
  CoverInk(canvas, line, left, top, colour);
  return line;
}

}  // namespace picture_art
