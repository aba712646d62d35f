// The painting tools of the pictures family: the canvas's reduction and the text lines.
#include <gtest/gtest.h>

#include "pictures/layer_canvas.h"
#include "pictures/line_text.h"

namespace {
using picture_art::LayerCanvas;

constexpr Colour kWhite{1, 1, 1, 1};

// A white square over the middle of an 8 x 8 canvas, one texel of a 4 x 4 reduction only
// half covered by it.
LayerCanvas HalfCoveredSquare() {
  LayerCanvas canvas(8, 8);
  for (int y = 2; y < 6; ++y) {
    for (int x = 3; x < 6; ++x) canvas.Cover(x, y, kWhite, 1);
  }
  return canvas;
}

TEST(PicturesCanvas, ReductionAveragesOpacityButKeepsTheInksColour) {
  const PixelImage reduced = HalfCoveredSquare().Reduce(4, 4);
  EXPECT_EQ(reduced.at(1, 1), (Rgba8{255, 255, 255, 128}));
  EXPECT_EQ(reduced.at(2, 2), (Rgba8{255, 255, 255, 255}));
}

TEST(PicturesCanvas, ClearTexelsBorrowTheColourOfNearbyInk) {
  LayerCanvas canvas(8, 8);
  canvas.Cover(0, 0, {1.0f, 0.5f, 0.0f, 1.0f}, 1);
  const PixelImage reduced = canvas.Reduce(8, 8);
  EXPECT_EQ(reduced.at(7, 7), (Rgba8{255, 128, 0, 0}));
}

TEST(PicturesCanvas, LightBrightensAndNeverDarkens) {
  LayerCanvas canvas(1, 1);
  canvas.Cover(0, 0, {0.5f, 0.5f, 0.5f, 1}, 1);
  canvas.Light(0, 0, {1.0f, 0.0f, 0.0f, 1}, 0.5f);
  EXPECT_EQ(canvas.Reduce(1, 1).at(0, 0), (Rgba8{191, 128, 128, 255}));
}

TEST(PicturesText, LinesOfOneFaceAndSizeShareTheirHeight) {
  const Coverage low = picture_art::SetLine("ace", Typeface::kSans, 40);
  const Coverage tall = picture_art::SetLine("Jig", Typeface::kSans, 40);
  EXPECT_EQ(low.height, tall.height);
  EXPECT_GT(low.height, RenderText("ace", Typeface::kSans, 40).height);
  EXPECT_EQ(picture_art::Tracked("in the"), "i n   t h e");
}
}  // namespace
