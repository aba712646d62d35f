// Linear table fog: by eye distance (clip w) for transformed vertices and by depth (z) for
// pre-transformed ones, between FOGSTART and FOGEND, on the colour after the stages,
// leaving alpha alone.
#include <gtest/gtest.h>

#include <bit>
#include <numbers>

#include "render/d3dx/d3dx_maths.h"
#include "render/pipeline_fixture.h"

namespace {

constexpr D3DCOLOR kFogColor = 0xFF0000FFu;

class FogTest : public PipelineFixture {
 protected:
  void SetUp() override {
    PipelineFixture::SetUp();
    D3DMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 2.0f,
                               float{kTargetHeight} / kTargetWidth, 1.0f, 100.0f);
    ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection), D3D_OK);
    SetRenderState(D3DRENDERSTATE_FOGENABLE, 1);
    SetRenderState(D3DRENDERSTATE_FOGTABLEMODE, D3DFOG_LINEAR);
    SetRenderState(D3DRENDERSTATE_FOGCOLOR, kFogColor);
    SetFogRange(10.0f, 30.0f);
    // The colour comes from the diffuse colour, alpha included.
    SetStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    SetStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  }

  void SetFogRange(float start, float end) {
    SetRenderState(D3DRENDERSTATE_FOGSTART, std::bit_cast<DWORD>(start));
    SetRenderState(D3DRENDERSTATE_FOGEND, std::bit_cast<DWORD>(end));
  }

  // A square filling the view at eye distance z, in `color`.
  uint32_t DrawnAt(float z, D3DCOLOR color) {
    const SceneVertex strip[4] = {{-z, z, z, color, 0, 0},
                                  {z, z, z, color, 0, 0},
                                  {-z, -z, z, color, 0, 0},
                                  {z, -z, z, color, 0, 0}};
    ClearAll(0xFF000000u);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, kSceneFvf, strip, 4, 0), D3D_OK);
    return ReadPicture().At(32, 24);
  }

  // A pre-transformed quad over the whole target at depth z and reciprocal w `rhw`.
  uint32_t DrawnOnScreenAt(float z, float rhw, D3DCOLOR color) {
    const float right = kTargetWidth, bottom = kTargetHeight;
    const ScreenVertex strip[4] = {{0, 0, z, rhw, color, 0, 0},
                                   {right, 0, z, rhw, color, 0, 0},
                                   {0, bottom, z, rhw, color, 0, 0},
                                   {right, bottom, z, rhw, color, 0, 0}};
    ClearAll(0xFF000000u);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, kScreenFvf, strip, 4, 0), D3D_OK);
    return ReadPicture().At(32, 24);
  }
};

TEST_F(FogTest, MixesTowardsTheFogColourBetweenStartAndEnd) {
  EXPECT_EQ(DrawnAt(5.0f, 0xFFFF0000u), 0xFFFF0000u);   // before the start
  EXPECT_EQ(DrawnAt(10.0f, 0xFFFF0000u), 0xFFFF0000u);  // at the start
  // Halfway: (30 - 20) / (30 - 10) = 0.5 of the colour.
  EXPECT_TRUE(ColorsNear(DrawnAt(20.0f, 0xFFFF0000u), 0xFF800080u, 1));
  // A quarter of the way: 0.75 of the colour.
  EXPECT_TRUE(ColorsNear(DrawnAt(15.0f, 0xFFFF0000u), 0xFFBF0040u, 1));
  EXPECT_EQ(DrawnAt(30.0f, 0xFFFF0000u), kFogColor);
  EXPECT_EQ(DrawnAt(50.0f, 0xFFFF0000u), kFogColor);  // past the end
}

// A screen-space quad is fogged by its depth alone: at z 0.7 in a range from 0.5 to 0.9,
// (0.9 - 0.7) / (0.9 - 0.5) = 0.5 of its colour, whatever its reciprocal w.
TEST_F(FogTest, PretransformedVerticesAreFoggedByTheirDepth) {
  SetFogRange(0.5f, 0.9f);
  EXPECT_TRUE(ColorsNear(DrawnOnScreenAt(0.7f, 1.0f, 0xFFFF0000u), 0xFF800080u, 1));
  EXPECT_TRUE(ColorsNear(DrawnOnScreenAt(0.7f, 0.25f, 0xFFFF0000u), 0xFF800080u, 1));
  EXPECT_EQ(DrawnOnScreenAt(0.4f, 0.25f, 0xFFFF0000u), 0xFFFF0000u);
  EXPECT_EQ(DrawnOnScreenAt(0.95f, 1.0f, 0xFFFF0000u), kFogColor);
}

TEST_F(FogTest, LeavesAlphaAsTheStagesMadeIt) {
  EXPECT_EQ(DrawnAt(50.0f, 0x40FF0000u), 0x400000FFu);
}

TEST_F(FogTest, IsOffUnlessEnabledWithTheLinearTableMode) {
  SetRenderState(D3DRENDERSTATE_FOGENABLE, 0);
  EXPECT_EQ(DrawnAt(50.0f, 0xFFFF0000u), 0xFFFF0000u);
  SetRenderState(D3DRENDERSTATE_FOGENABLE, 1);
  SetRenderState(D3DRENDERSTATE_FOGTABLEMODE, D3DFOG_NONE);
  EXPECT_EQ(DrawnAt(50.0f, 0xFFFF0000u), 0xFFFF0000u);
}

// Start and end at one distance: full colour before, full fog after.
TEST_F(FogTest, AnEmptyRangeSwitchesAtItsDistance) {
  SetFogRange(20.0f, 20.0f);
  EXPECT_EQ(DrawnAt(19.0f, 0xFFFF0000u), 0xFFFF0000u);
  EXPECT_EQ(DrawnAt(21.0f, 0xFFFF0000u), kFogColor);
}

}  // namespace
