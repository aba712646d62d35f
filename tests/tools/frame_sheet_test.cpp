#include "frame_sheet.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kBackground = 0xFF1C1C1C;

ArgbImage Solid(uint32_t colour, DWORD width = 80, DWORD height = 60) {
  return {width, height, std::vector<uint32_t>(size_t{width} * height, colour)};
}

uint32_t At(const ArgbImage& image, uint32_t x, uint32_t y) {
  return image.pixels[size_t{y} * image.width + x];
}

// Pixels in the rectangle that are neither background nor `except`.
size_t Marked(const ArgbImage& image, uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1) {
  size_t count = 0;
  for (uint32_t y = y0; y < y1; ++y) {
    for (uint32_t x = x0; x < x1; ++x) count += At(image, x, y) != kBackground;
  }
  return count;
}

TEST(FrameSheetTest, TilesRunInRowsWithTheirLabelsBelow) {
  FrameSheet sheet(/*tileWidth=*/40, /*columns=*/3);
  const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  for (const uint32_t colour : colours) sheet.Add(Solid(colour), {"1 s", "x"});
  const ArgbImage composed = sheet.Compose();
  // Gaps of 8; tiles 40 x 30 with two 24-pixel label lines.
  ASSERT_EQ(composed.width, 8u + 3 * (40 + 8));
  ASSERT_EQ(composed.height, 8u + 2 * (30 + 48 + 8));
  for (size_t index = 0; index < 4; ++index) {
    const uint32_t left = 8 + static_cast<uint32_t>(index % 3) * 48;
    const uint32_t top = 8 + static_cast<uint32_t>(index / 3) * 86;
    EXPECT_EQ(At(composed, left, top), colours[index]) << index;
    EXPECT_EQ(At(composed, left + 39, top + 29), colours[index]) << index;
    EXPECT_EQ(At(composed, left + 40, top + 29), kBackground) << index;
    EXPECT_EQ(At(composed, left, top + 30), kBackground) << index;
    EXPECT_GT(Marked(composed, left, top + 30, left + 40, top + 54), 20u) << "time, " << index;
    EXPECT_GT(Marked(composed, left, top + 54, left + 40, top + 78), 5u) << "parts, " << index;
  }
  // The empty fifth and sixth cells.
  EXPECT_EQ(Marked(composed, 8 + 48, 8 + 86, composed.width, composed.height), 0u);
}

TEST(FrameSheetTest, FramesAreAveragedDownAndLongLabelsWrap) {
  ArgbImage stripes = Solid(0xFF000000, 4, 2);
  stripes.pixels[0] = stripes.pixels[2] = stripes.pixels[4] = stripes.pixels[6] = 0xFFC8C8C8;
  FrameSheet sheet(/*tileWidth=*/2);
  sheet.Add(stripes, {"t"});
  EXPECT_EQ(At(sheet.Compose(), 8, 8), 0xFF646464u);

  FrameSheet narrow(/*tileWidth=*/60);
  narrow.Add(Solid(0xFF808080), {"binary, title, fade"});
  const ArgbImage wrapped = narrow.Compose();
  EXPECT_GT(wrapped.height, 8u + 45 + 2 * 24 + 8);  // three or more lines
  EXPECT_LE(Marked(wrapped, 8 + 60, 8, wrapped.width, wrapped.height), 0u);  // none past the tile
}

}  // namespace
