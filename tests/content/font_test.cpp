#include "font/font_image.h"

#include <gtest/gtest.h>

#include "resources/bitmap_font.h"

namespace {

bool InsideSomeGlyph(int x, int y) {
  for (const GlyphPlacement& glyph : FontGlyphPlacements()) {
    if (x >= glyph.x && x < glyph.x + glyph.width && y >= glyph.y &&
        y < glyph.y + glyph.height) {
      return true;
    }
  }
  return false;
}

TEST(FontImageTest, EveryLetterFillsTheHeightItsTextureCoordinatesShow) {
  const std::vector<uint8_t> image = MakeFontImage();
  ASSERT_EQ(image.size(), size_t{kFontImageWidth} * kFontImageHeight);
  auto at = [&](int x, int y) { return image[static_cast<size_t>(y) * kFontImageWidth + x]; };
  for (const GlyphPlacement& glyph : FontGlyphPlacements()) {
    // Ink on the first and last shown rows; the rectangle's last row and column stay empty
    // (the last row of "h" lies just below the image).
    int topInk = 0, bottomInk = 0, borderInk = 0;
    const bool lastRowInImage = glyph.y + glyph.height <= static_cast<int>(kFontImageHeight);
    for (int x = glyph.x; x < glyph.x + glyph.width; ++x) {
      topInk += at(x, glyph.y) > 128;
      bottomInk += at(x, glyph.y + glyph.height - 2) > 128;
      if (lastRowInImage) borderInk += at(x, glyph.y + glyph.height - 1);
    }
    for (int y = glyph.y; y < glyph.y + glyph.height - 1; ++y) {
      borderInk += at(glyph.x + glyph.width - 1, y);
    }
    EXPECT_GT(topInk, 0) << glyph.letter;
    EXPECT_GT(bottomInk, 0) << glyph.letter;
    EXPECT_EQ(borderInk, 0) << glyph.letter;
  }
}

TEST(FontImageTest, NothingIsDrawnOutsideTheGlyphRectangles) {
  const std::vector<uint8_t> image = MakeFontImage();
  for (int y = 0; y < static_cast<int>(kFontImageHeight); ++y) {
    for (int x = 0; x < static_cast<int>(kFontImageWidth); ++x) {
      if (!InsideSomeGlyph(x, y)) {
        ASSERT_EQ(image[static_cast<size_t>(y) * kFontImageWidth + x], 0) << x << "," << y;
      }
    }
  }
}

}  // namespace
