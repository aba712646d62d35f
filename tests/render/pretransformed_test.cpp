// Pre-transformed (XYZRHW) vertices: absolute target pixels with D3D's pixel centres,
// confined to the viewport; and transformed vertices, whose triangles cover the same
// pixels by the same centres.
#include <gtest/gtest.h>

#include <utility>

#include "render/pipeline_fixture.h"

namespace {

constexpr D3DCOLOR kOneStep = 0x01010101u;  // added once per covering draw

class PretransformedTest : public PipelineFixture {
 protected:
  // Each draw adds kOneStep to what is there: a pixel's value counts the draws that
  // covered it.
  void AddOnDraw() {
    SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE);
    SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE);
    SetStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
    ClearAll(0);
  }

  // A rectangle of target pixels drawn with transformed vertices (identity transforms over
  // the whole target), whichever way it winds.
  HRESULT DrawTransformedRect(const ScreenRect& pixels, D3DCOLOR color) {
    SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
    const float halfWidth = kTargetWidth / 2.0f, halfHeight = kTargetHeight / 2.0f;
    return DrawSceneRect({pixels.left / halfWidth - 1, 1 - pixels.top / halfHeight,
                          pixels.right / halfWidth - 1, 1 - pixels.bottom / halfHeight},
                         color);
  }

  HRESULT DrawRect(bool transformed, const ScreenRect& pixels, D3DCOLOR color) {
    return transformed ? DrawTransformedRect(pixels, color) : DrawScreenRect(pixels, color);
  }
};

TEST_F(PretransformedTest, AFullTargetQuadCoversEveryPixelExactlyOnce) {
  AddOnDraw();
  ASSERT_EQ(DrawScreenRect({0, 0, kTargetWidth, kTargetHeight}, kOneStep), D3D_OK);
  EXPECT_EQ(Count(ReadPicture(), kOneStep), size_t{kTargetWidth} * kTargetHeight);
}

TEST_F(PretransformedTest, CoversExactlyOnceOnAnOddSizedTarget) {
  Recreate(67, 45, D3DX_DEFAULT, D3DX_DEFAULT);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  AddOnDraw();
  ASSERT_EQ(DrawScreenRect({0, 0, 67, 45}, kOneStep), D3D_OK);
  EXPECT_EQ(Count(ReadPicture(), kOneStep), size_t{67} * 45);
}

// Rectangles that meet share no pixel and leave none out, whichever way they meet, on
// pixel edges or between pixel centres, drawn with either kind of vertex.
TEST_F(PretransformedTest, AdjacentRectanglesNeitherOverlapNorLeaveGaps) {
  AddOnDraw();
  const float w = kTargetWidth, h = kTargetHeight;
  for (const bool transformed : {false, true}) {
    for (const auto& [x, y] : {std::pair{21.0f, 17.0f}, std::pair{10.3f, 7.3f}}) {
      ClearAll(0);
      ASSERT_EQ(DrawRect(transformed, {0, 0, x, y}, kOneStep), D3D_OK);
      ASSERT_EQ(DrawRect(transformed, {x, 0, w, y}, kOneStep), D3D_OK);
      ASSERT_EQ(DrawRect(transformed, {0, y, x, h}, kOneStep), D3D_OK);
      ASSERT_EQ(DrawRect(transformed, {x, y, w, h}, kOneStep), D3D_OK);
      EXPECT_EQ(Count(ReadPicture(), kOneStep), size_t{kTargetWidth} * kTargetHeight)
          << transformed << " " << x;
    }
  }
}

TEST_F(PretransformedTest, PixelCoordinatesCountFromTheTopLeft) {
  ASSERT_EQ(DrawScreenRect({3, 5, 4, 6}, 0xFFFF0000u), D3D_OK);
  const Picture picture = ReadPicture();
  EXPECT_EQ(picture.At(3, 5), 0xFFFF0000u);
  EXPECT_EQ(Count(picture, 0xFFFF0000u), 1u);
}

// D3D's pixel centres lie at integer coordinates, for pre-transformed and transformed
// vertices alike: a pixel-sized rectangle starting a quarter of a pixel in covers the
// centre of the next pixel over.
TEST_F(PretransformedTest, PixelCentresLieAtIntegerCoordinatesForEitherKindOfVertex) {
  const ScreenRect quarterIn{2.25f, 3.25f, 3.25f, 4.25f};
  for (const bool transformed : {false, true}) {
    ClearAll(0);
    ASSERT_EQ(DrawRect(transformed, quarterIn, 0xFFFF0000u), D3D_OK);
    const Picture picture = ReadPicture();
    EXPECT_EQ(picture.At(3, 4), 0xFFFF0000u) << transformed;
    EXPECT_EQ(Count(picture, 0xFFFF0000u), 1u) << transformed;
  }
}

// A pixel goes to the rectangle that holds its centre: column 10 (centre 10.0) lies left
// of an edge at 10.3, row 7 above an edge at 7.3, for either kind of vertex.
TEST_F(PretransformedTest, RectanglesTakeThePixelsWhoseCentresTheyHold) {
  for (const bool transformed : {false, true}) {
    ClearAll(0);
    ASSERT_EQ(DrawRect(transformed, {0, 0, 10.3f, 7.3f}, 0xFFFF0000u), D3D_OK);
    const Picture corner = ReadPicture();
    EXPECT_EQ(Count(corner, 0xFFFF0000u), 11u * 8u) << transformed;
    EXPECT_EQ(corner.At(10, 7), 0xFFFF0000u) << transformed;
    EXPECT_EQ(corner.At(11, 7), 0u) << transformed;
    EXPECT_EQ(corner.At(10, 8), 0u) << transformed;
  }
}

// The viewport is a letterbox band: the quad still lies in target pixels, and only the
// band's rows get any of it.
TEST_F(PretransformedTest, AViewportBandConfinesWithoutMovingOrScaling) {
  AddOnDraw();
  SetViewport(0, 8, kTargetWidth, kTargetHeight - 16);
  ASSERT_EQ(DrawScreenRect({0, 0, kTargetWidth, kTargetHeight}, kOneStep), D3D_OK);
  ASSERT_EQ(DrawScreenRect({10, 4, 11, 12}, kOneStep), D3D_OK);
  const Picture picture = ReadPicture();
  for (DWORD y = 0; y < kTargetHeight; ++y) {
    const bool inBand = y >= 8 && y < kTargetHeight - 8;
    EXPECT_EQ(picture.At(0, y), inBand ? kOneStep : 0u) << "row " << y;
    EXPECT_EQ(picture.At(10, y), inBand ? (y < 12 ? 2 * kOneStep : kOneStep) : 0u) << "row " << y;
  }
  EXPECT_EQ(Count(picture, kOneStep) + Count(picture, 2 * kOneStep),
            size_t{kTargetWidth} * (kTargetHeight - 16));
}

// x, y, z are divided by rhw and multiplied back: the pixels do not move, while what is
// interpolated across the primitive is weighted by 1/w.
TEST_F(PretransformedTest, RhwKeepsPositionsAndMakesInterpolationPerspectiveCorrect) {
  SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  SetStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);  // the diffuse colour
  // Left edge at w = 1 black, right edge at w = 3 white.
  const ScreenVertex strip[4] = {
      {0, 0, 0.5f, 1.0f, 0xFF000000u, 0, 0},
      {kTargetWidth, 0, 0.5f, 1.0f / 3.0f, 0xFFFFFFFFu, 0, 0},
      {0, kTargetHeight, 0.5f, 1.0f, 0xFF000000u, 0, 0},
      {kTargetWidth, kTargetHeight, 0.5f, 1.0f / 3.0f, 0xFFFFFFFFu, 0, 0}};
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, kScreenFvf, strip, 4, 0), D3D_OK);
  const Picture picture = ReadPicture();
  EXPECT_EQ(Count(picture, 0u), 0u) << "every pixel covered";
  // Halfway across the screen, perspective-correct weighting gives 1/4 of the way from
  // black to white (a screen-linear blend would give 1/2).
  const uint32_t middle = picture.At(kTargetWidth / 2, kTargetHeight / 2);
  EXPECT_TRUE(ColorsNear(middle, 0xFF404040u, 3)) << std::hex << middle;
}

}  // namespace
