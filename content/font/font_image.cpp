#include "font/font_image.h"

#include <algorithm>
#include <cmath>

#include "kit/text_raster.h"
#include "resources/bitmap_font.h"

namespace {
// Letters are set large and scaled down into their rectangles, which keeps the edges soft.
constexpr int kSetSize = 160;
// How much wider than its own proportions a letter may be stretched. Narrow letters (i, l)
// would otherwise become blocks; they are centred in their rectangle instead.
constexpr double kMostWidening = 1.3;
}  // namespace

std::vector<uint8_t> MakeFontImage() {
  std::vector<uint8_t> image(kFontImageWidth * kFontImageHeight, 0);
  for (const GlyphPlacement& placement : FontGlyphPlacements()) {
    // The texture coordinates run from the centre of the rectangle's first texel to the
    // centre of its last but one, so the letter's ink fills exactly those texels; the last
    // row and column stay empty and keep neighbours apart when filtered.
    const Coverage letter =
        RenderText(std::string_view(&placement.letter, 1), Typeface::kSansBold, kSetSize);
    const int height = placement.height - 1;
    const double naturalWidth = static_cast<double>(letter.width) * height / letter.height;
    const int width = std::min(placement.width - 1,
                               static_cast<int>(std::lround(naturalWidth * kMostWidening)));
    const Coverage ink = ResizeCoverage(letter, width, height);
    const int left = placement.x + (placement.width - 1 - width) / 2;
    for (int y = 0; y < ink.height; ++y) {
      for (int x = 0; x < ink.width; ++x) {
        image[static_cast<size_t>(placement.y + y) * kFontImageWidth + left + x] = ink.at(x, y);
      }
    }
  }
  return image;
}
