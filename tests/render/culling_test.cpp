// Culling by the winding a triangle shows on screen (y downward): D3DCULL_CCW removes
// counter-clockwise triangles, D3DCULL_CW clockwise ones, D3DCULL_NONE neither; the same
// for pre-transformed and transformed vertices.
#include <gtest/gtest.h>

#include "render/pipeline_fixture.h"

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000u;

struct CullCase {
  DWORD cullMode;
  bool clockwiseDrawn, counterClockwiseDrawn;
};

class CullingTest : public PipelineFixture, public testing::WithParamInterface<CullCase> {
 protected:
  // Whether the top-left pixel region got the triangle.
  bool Drawn() {
    const Picture picture = ReadPicture();
    ClearAll(0xFF000000u);
    return picture.At(4, 4) == kRed;
  }
};

TEST_P(CullingTest, PreTransformedTrianglesByTheirWindingOnScreen) {
  SetRenderState(D3DRENDERSTATE_CULLMODE, GetParam().cullMode);
  const float w = kTargetWidth, h = kTargetHeight;
  // Top-left, top-right, bottom-left: clockwise as seen.
  const ScreenVertex clockwise[3] = {
      {0, 0, 0.5f, 1, kRed, 0, 0}, {w, 0, 0.5f, 1, kRed, 0, 0}, {0, h, 0.5f, 1, kRed, 0, 0}};
  const ScreenVertex counterClockwise[3] = {clockwise[0], clockwise[2], clockwise[1]};
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenFvf, clockwise, 3, 0), D3D_OK);
  EXPECT_EQ(Drawn(), GetParam().clockwiseDrawn);
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenFvf, counterClockwise, 3, 0), D3D_OK);
  EXPECT_EQ(Drawn(), GetParam().counterClockwiseDrawn);
}

TEST_P(CullingTest, TransformedTrianglesByTheirWindingOnScreen) {
  SetRenderState(D3DRENDERSTATE_CULLMODE, GetParam().cullMode);
  // Clip y points up the picture: top-left, top-right, bottom-left again.
  const SceneVertex clockwise[3] = {
      {-1, 1, 0.5f, kRed, 0, 0}, {1, 1, 0.5f, kRed, 0, 0}, {-1, -1, 0.5f, kRed, 0, 0}};
  const SceneVertex counterClockwise[3] = {clockwise[0], clockwise[2], clockwise[1]};
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, kSceneFvf, clockwise, 3, 0), D3D_OK);
  EXPECT_EQ(Drawn(), GetParam().clockwiseDrawn);
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, kSceneFvf, counterClockwise, 3, 0), D3D_OK);
  EXPECT_EQ(Drawn(), GetParam().counterClockwiseDrawn);
}

// A strip's every other triangle is turned back, so a quad strip is drawn whole.
TEST_P(CullingTest, StripsKeepOneWindingThroughout) {
  SetRenderState(D3DRENDERSTATE_CULLMODE, GetParam().cullMode);
  ASSERT_EQ(DrawScreenRect({0, 0, kTargetWidth, kTargetHeight}, kRed), D3D_OK);
  const Picture picture = ReadPicture();
  const size_t expected = GetParam().clockwiseDrawn ? size_t{kTargetWidth} * kTargetHeight : 0;
  EXPECT_EQ(Count(picture, kRed), expected);
}

INSTANTIATE_TEST_SUITE_P(CullModes, CullingTest,
                         testing::Values(CullCase{D3DCULL_CCW, true, false},
                                         CullCase{D3DCULL_CW, false, true},
                                         CullCase{D3DCULL_NONE, true, true}),
                         [](const testing::TestParamInfo<CullCase>& tested) {
                           switch (tested.param.cullMode) {
                             case D3DCULL_CCW: return "CounterClockwise";
                             case D3DCULL_CW: return "Clockwise";
                             default: return "None";
                           }
                         });

}  // namespace
