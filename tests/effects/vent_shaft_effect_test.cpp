// The vent shaft: the slices streaming toward the camera and wrapping back, the progress
// shared by every instance, the walls and grating built from the ring template, the camera
// on the centre line, and the states and draws of a frame.
#include "effects/vent_shaft_effect.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/d3dx/d3dx_maths.h"
#include "support/effect_fixture.h"

namespace {

TEST(ShaftSlice, MovesTowardTheCameraAndWrapsBackWithItsLength) {
  ShaftSlice near{3, 4};
  AdvanceSlice(near, 1);
  EXPECT_FLOAT_EQ(near.front, 2);
  EXPECT_FLOAT_EQ(near.back, 3);

  ShaftSlice passing{10, 10.7f};
  AdvanceSlice(passing, 11);
  EXPECT_FLOAT_EQ(passing.back, 29.7f);
  EXPECT_NEAR(passing.back - passing.front, 0.7f, 1e-5f);

  ShaftSlice atTheCamera{-1, 1};
  AdvanceSlice(atTheCamera, 1);  // its back reaches 0 but has not passed it
  EXPECT_FLOAT_EQ(atTheCamera.back, 0);
}

TEST(ShaftCentre, StartsSixUnitsAlongXAndSnakesWithDepthAndTime) {
  const D3DVECTOR start = ShaftCentre(0, 0);
  EXPECT_FLOAT_EQ(start.x, 6);
  EXPECT_FLOAT_EQ(start.y, 0);
  // w = 3 at the far end at t = 0, and at the camera at t = 0.2.
  const D3DVECTOR far = ShaftCentre(30, 0);
  EXPECT_FLOAT_EQ(far.x, std::cos(0.2324234f * 3) * std::cos(3.0f) * 6);
  EXPECT_FLOAT_EQ(far.y, std::sin(1.234234f * 3) * std::sin(3.0f) * 5);
  EXPECT_FLOAT_EQ(far.z, 30);
  const D3DVECTOR later = ShaftCentre(0, 0.2f);
  EXPECT_FLOAT_EQ(later.x, far.x);
  EXPECT_FLOAT_EQ(later.y, far.y);
}

class VentShaftTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording();
    CVentShaftEffect::previousTime = 0;
    shaft_ = std::make_unique<CVentShaftEffect>(demo_.get());
    shaft_->Init();
  }
  void TearDown() override {
    shaft_.reset();
    EffectFixture::TearDown();
  }

  // The frame at `t`'s two draws: the walls, then the grating.
  std::vector<RecordedCall> RenderAt(float t) {
    device_->Clear();
    shaft_->Render(t);
    return Draws();
  }

  std::unique_ptr<CVentShaftEffect> shaft_;
};

TEST_F(VentShaftTest, TheFirstFrameStartsFromTheSlicesStartAndMovesThemByItsProgress) {
  RenderAt(0);
  for (int i = 0; i < kShaftSlices; ++i) {
    EXPECT_FLOAT_EQ(shaft_->slices[i].front, static_cast<float>(i));
    EXPECT_FLOAT_EQ(shaft_->slices[i].back, static_cast<float>(i + 1));
  }
  CVentShaftEffect::previousTime = 0;
  CVentShaftEffect other(demo_.get());
  other.Init();
  other.Render(0.05f);  // dt = t: 1.53525 units
  EXPECT_NEAR(other.slices[5].front, 5 - 1.53525f, 1e-5f);
  // The slice at the camera has passed it and lies at the far end, still one unit long.
  EXPECT_NEAR(other.slices[0].back, 31 - 1.53525f, 1e-5f);
  EXPECT_NEAR(other.slices[0].front, 30 - 1.53525f, 1e-5f);
}

TEST_F(VentShaftTest, EveryInstanceSharesTheLastProgressDrawn) {
  RenderAt(0.1f);
  CVentShaftEffect other(demo_.get());
  other.Init();
  other.Render(0.1f);  // the same progress again: nothing moves
  EXPECT_FLOAT_EQ(other.slices[3].front, 3);
  other.Render(0.2f);
  EXPECT_NEAR(other.slices[3].front, 3 - 3.0705f, 1e-4f);
  EXPECT_EQ(CVentShaftEffect::previousTime, 0.2f);
}

TEST_F(VentShaftTest, TheWallsAreRingsOfRadiusThreeFadingWithDepth) {
  const std::vector<SceneVertex> walls = VerticesAs<SceneVertex>(RenderAt(0).at(0));
  ASSERT_EQ(walls.size(), 1500u);
  for (int slice = 0; slice < kShaftSlices; ++slice) {
    for (int k = 0; k < kShaftRingPositions; ++k) {
      for (int end = 0; end < 2; ++end) {
        const SceneVertex& vertex = walls[slice * 50 + 2 * k + end];
        const float z = static_cast<float>(slice + end);
        ASSERT_FLOAT_EQ(vertex.z, z);
        const D3DVECTOR centre = ShaftCentre(z, 0);
        EXPECT_NEAR(std::hypot(vertex.x - centre.x, vertex.y - centre.y), 3.0f, 1e-4f);
        EXPECT_FLOAT_EQ(vertex.u, k / 24.0f * 4);
        EXPECT_FLOAT_EQ(vertex.v, z * 0.13333334f);
        const auto grey = static_cast<uint32_t>((1 - vertex.z / 30) * 255);
        EXPECT_EQ(vertex.colour, 0xFF000000u | grey * 0x010101u);
      }
    }
  }
  EXPECT_FLOAT_EQ(walls[0].x, 9);  // angle 0, about the centre (6, 0)
  EXPECT_EQ(walls[1499].colour, 0xFF000000u);  // black at the far end
}

TEST_F(VentShaftTest, TheGratingIsNarrowerDenserAndSways) {
  const float t = 0.03f;
  const std::vector<RecordedCall> draws = RenderAt(t);
  ASSERT_EQ(draws.size(), 2u);
  const std::vector<SceneVertex> walls = VerticesAs<SceneVertex>(draws[0]);
  const std::vector<SceneVertex> grating = VerticesAs<SceneVertex>(draws[1]);
  ASSERT_EQ(grating.size(), walls.size());
  for (size_t index = 0; index < walls.size(); ++index) {
    const D3DVECTOR centre = ShaftCentre(walls[index].z, t);
    EXPECT_FLOAT_EQ(grating[index].z, walls[index].z);
    EXPECT_NEAR(grating[index].x - centre.x, 0.8f * (walls[index].x - centre.x), 1e-4f);
    EXPECT_NEAR(grating[index].y - centre.y, 0.8f * (walls[index].y - centre.y), 1e-4f);
    EXPECT_NEAR(grating[index].u, (std::sin(25 * t) + walls[index].u) * 4, 1e-4f);
    EXPECT_NEAR(grating[index].v, walls[index].v * 4, 1e-4f);
  }
  EXPECT_EQ(draws[1].indices, draws[0].indices);
}

// A slice's front edge a little behind the camera would give a grey above 255.
TEST_F(VentShaftTest, DepthsBehindTheCameraStayWhite) {
  const std::vector<SceneVertex> walls = VerticesAs<SceneVertex>(RenderAt(0.01f).at(0));
  ASSERT_LT(shaft_->slices[0].front, 0);
  EXPECT_EQ(walls[0].colour, 0xFFFFFFFFu);
}

TEST_F(VentShaftTest, EachSliceJoinsNeighbouringRingPositionsAndClosesDegenerately) {
  const std::vector<RecordedCall> draws = RenderAt(0);
  const std::vector<uint16_t>& indices = draws.at(0).indices;
  ASSERT_EQ(indices.size(), 4500u);
  const uint16_t b = 50 * 7;
  const std::vector<uint16_t> first(indices.begin() + 150 * 7, indices.begin() + 150 * 7 + 6);
  EXPECT_EQ(first, (std::vector<uint16_t>{b, b + 1, b + 3, b, b + 3, b + 2}));
  const std::vector<uint16_t> last(indices.begin() + 150 * 8 - 6, indices.begin() + 150 * 8);
  EXPECT_EQ(last, (std::vector<uint16_t>{b + 48, b + 49, b + 1, b + 48, b + 1, b}));
}

TEST_F(VentShaftTest, TheCameraStartsOnTheCentreLineLookingDownTheShaft) {
  RenderAt(0);
  const std::vector<RecordedCall> transforms = device_->Find("SetTransform");
  ASSERT_EQ(transforms.size(), 2u);
  EXPECT_EQ(transforms[0].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_WORLD));
  EXPECT_EQ(transforms[0].matrix.m[3][0], 0.0f);
  ASSERT_EQ(transforms[1].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_VIEW));
  const D3DXMATRIX view = transforms[1].matrix;
  const D3DVECTOR eye{6, 0, 0};
  D3DVECTOR seen;
  D3DXVec3TransformCoord(&seen, &eye, &view);
  EXPECT_NEAR(std::hypot(seen.x, seen.y, seen.z), 0, 1e-4f);
  // It looks at the eye plus the centre line 24 ahead.
  const D3DVECTOR ahead = ShaftCentre(24, 0);
  const D3DVECTOR target{6 + ahead.x, ahead.y, 24};
  D3DXVec3TransformCoord(&seen, &target, &view);
  EXPECT_NEAR(seen.x, 0, 1e-3f);
  EXPECT_NEAR(seen.y, 0, 1e-3f);
  EXPECT_GT(seen.z, 0);
  // The up vector (-30, 0, 0.01) normalised, so the view's up points along -x.
  const D3DVECTOR above{5, 0, 0};
  D3DXVec3TransformCoord(&seen, &above, &view);
  EXPECT_GT(seen.y, 0.9f);
}

TEST_F(VentShaftTest, AFrameDrawsTheWallsOpaqueThenTheGratingBlended) {
  const std::vector<RecordedCall> draws = RenderAt(0.5f);
  ASSERT_EQ(draws.size(), 2u);
  for (const RecordedCall& draw : draws) {
    EXPECT_EQ(draw.name, "DrawIndexedPrimitive");
    EXPECT_EQ(draw.args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, kSceneVertexFvf, 1500, 4500, 0}));
  }
  EXPECT_EQ(RenderStateAtDraw(0, D3DRENDERSTATE_ALPHABLENDENABLE), 0u);
  EXPECT_EQ(RenderStateAtDraw(0, D3DRENDERSTATE_ZWRITEENABLE), 1u);
  EXPECT_EQ(RenderStateAtDraw(0, D3DRENDERSTATE_ZENABLE), 1u);
  EXPECT_EQ(RenderStateAtDraw(0, D3DRENDERSTATE_CULLMODE), D3DCULL_NONE);
  EXPECT_EQ(StageStateAtDraw(0, 0, D3DTSS_COLOROP), D3DTOP_MODULATE);
  EXPECT_EQ(StageStateAtDraw(0, 0, D3DTSS_COLORARG2), D3DTA_DIFFUSE);

  EXPECT_EQ(RenderStateAtDraw(1, D3DRENDERSTATE_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(RenderStateAtDraw(1, D3DRENDERSTATE_SRCBLEND), D3DBLEND_SRCALPHA);
  EXPECT_EQ(RenderStateAtDraw(1, D3DRENDERSTATE_DESTBLEND), D3DBLEND_INVSRCALPHA);
  EXPECT_EQ(RenderStateAtDraw(1, D3DRENDERSTATE_ZWRITEENABLE), 0u);
  EXPECT_EQ(StageStateAtDraw(1, 0, D3DTSS_ALPHAOP), D3DTOP_SELECTARG1);
  EXPECT_EQ(StageStateAtDraw(1, 0, D3DTSS_ALPHAARG1), D3DTA_TEXTURE);
  DWORD depthWrites = 0;
  device_->GetRenderState(D3DRENDERSTATE_ZWRITEENABLE, &depthWrites);
  EXPECT_EQ(depthWrites, 1u);

  int wall = -1, fence = -1;
  textures_->FindTexture("vent_shaft.png", &wall);
  textures_->FindTexture("fence.png", &fence);
  EXPECT_EQ(textures_->bound, (std::vector<int>{wall, fence}));
  EXPECT_EQ(shaft_->frames, 1);
}

TEST_F(VentShaftTest, LoadsBothTexturesAndGivesThemBackOnce) {
  EXPECT_EQ(textures_->loads, (std::vector<std::string>{"vent_shaft.png 0 0", "fence.png 3 0"}));
  shaft_->Release();
  shaft_.reset();
  EXPECT_EQ(textures_->releasedNames, (std::vector<std::string>{"vent_shaft.png", "fence.png"}));
}

}  // namespace
