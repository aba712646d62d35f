// The tetradoom: the fractal's triangles, the camera's path, and the one blended draw.
#include "effects/tetradoom_effect.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/effect_fixture.h"

namespace {

TEST(Tetradoom, EachLevelAddsFourInnerFacesPerTetrahedron) {
  EXPECT_EQ(MakeTetradoom(1).size(), 8u * 3);  // 4 outer faces and 4 inner ones
  EXPECT_EQ(MakeTetradoom(2).size(), (8u + 16) * 3);
  EXPECT_EQ(MakeTetradoom(5).size(), 1368u * 3);
}

// The side of the plane through a, b, c that `p` lies on, scaled.
float SideOf(const D3DVECTOR& a, const D3DVECTOR& b, const D3DVECTOR& c, const D3DVECTOR& p) {
  const float u[3] = {b.x - a.x, b.y - a.y, b.z - a.z}, v[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
  const float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                      u[0] * v[1] - u[1] * v[0]};
  return n[0] * (p.x - a.x) + n[1] * (p.y - a.y) + n[2] * (p.z - a.z);
}

TEST(Tetradoom, EveryFaceShowsTheSameCutOfTheTextureAndLiesInTheStartTetrahedron) {
  const D3DVECTOR corners[4] = {
      {0, 0, 6}, {5.196152f, 0, -3}, {-5.196152f, 0, -3}, {0, 8.485281f, 0}};
  const D3DVECTOR middle = {0, 8.485281f / 4, 0};
  const float uv[3][2] = {{0.5f, 0}, {0, 1}, {1, 1}};
  const std::vector<TetradoomVertex> vertices = MakeTetradoom(5);
  for (size_t i = 0; i < vertices.size(); ++i) {
    const TetradoomVertex& v = vertices[i];
    ASSERT_EQ(v.u, uv[i % 3][0]);
    ASSERT_EQ(v.v, uv[i % 3][1]);
    for (int face = 0; face < 4; ++face) {
      const D3DVECTOR& a = corners[face];
      const D3DVECTOR& b = corners[(face + 1) % 4];
      const D3DVECTOR& c = corners[(face + 2) % 4];
      const float inward = SideOf(a, b, c, middle);
      ASSERT_GE(SideOf(a, b, c, {v.x, v.y, v.z}) * (inward > 0 ? 1 : -1), -1e-3f) << i;
    }
  }
  // The first face is the base.
  EXPECT_EQ(vertices[0].z, 6.0f);
  EXPECT_EQ(vertices[1].x, -5.196152f);
  EXPECT_EQ(vertices[2].x, 5.196152f);
}

TEST(Tetradoom, TheCameraCirclesAtRadiusEightAndBobs) {
  const D3DVECTOR start = TetradoomEye(0);
  EXPECT_FLOAT_EQ(start.x, 8.0f);
  EXPECT_FLOAT_EQ(start.y, 3.6f);
  EXPECT_FLOAT_EQ(start.z, 0.0f);
  for (float t = 0; t <= 1; t += 0.01f) {
    const D3DVECTOR eye = TetradoomEye(t);
    ASSERT_NEAR(std::hypot(eye.x, eye.z), 8.0f, 1e-4);
    ASSERT_GE(eye.y, -0.9f - 1e-4f);
    ASSERT_LE(eye.y, 8.1f + 1e-4f);
  }
}

class TetradoomEffectTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording();
    effect_ = std::make_unique<CTetradoomEffect>(demo_.get());
    effect_->Init();
  }
  void TearDown() override {
    effect_.reset();
    EffectFixture::TearDown();
  }
  std::unique_ptr<CTetradoomEffect> effect_;
};

TEST_F(TetradoomEffectTest, DrawsAllTrianglesFromMemoryAddedOverThePictureWithoutDepth) {
  effect_->Render(0.0f);
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].name, "DrawPrimitive");
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0x102, 4104, 0}));
  EXPECT_EQ(VerticesAs<TetradoomVertex>(draws[0]).size(), 4104u);

  const std::vector<RecordedCall> transforms = device_->Find("SetTransform");
  ASSERT_EQ(transforms.size(), 2u);
  EXPECT_EQ(transforms[0].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_VIEW));
  // The view takes the eye (8, 3.6, 0) to the origin.
  const D3DMATRIX& view = transforms[0].matrix;
  const float eye[3] = {8, 3.6f, 0};
  for (int column = 0; column < 3; ++column) {
    float moved = view.m[3][column];
    for (int row = 0; row < 3; ++row) moved += eye[row] * view.m[row][column];
    EXPECT_NEAR(moved, 0, 1e-4);
  }
  EXPECT_EQ(transforms[1].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_WORLD));
  EXPECT_FLOAT_EQ(transforms[1].matrix.m[3][1], -2 * std::sqrt(2.0f));

  const std::vector<std::pair<DWORD, DWORD>> states = {{D3DRENDERSTATE_ZENABLE, 0},
                                                       {D3DRENDERSTATE_ZWRITEENABLE, 0},
                                                       {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},
                                                       {D3DRENDERSTATE_ALPHABLENDENABLE, 1},
                                                       {D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA},
                                                       {D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE}};
  EXPECT_EQ(RenderStates(), states);
  const std::vector<std::pair<DWORD, DWORD>> stage = {
      {D3DTSS_COLORARG1, D3DTA_TEXTURE}, {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
      {D3DTSS_COLOROP, D3DTOP_MODULATE}, {D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
      {D3DTSS_ALPHAARG2, D3DTA_CURRENT}, {D3DTSS_ALPHAOP, D3DTOP_MODULATE}};
  EXPECT_EQ(StageStates(0), stage);
  int face = -1;
  textures_->FindTexture("tetradoom.png", &face);
  EXPECT_EQ(textures_->bound, (std::vector<int>{face}));
  EXPECT_EQ(effect_->frames, 0);
}

TEST_F(TetradoomEffectTest, LoadsItsTextureWithAlphaAndGivesItBackOnce) {
  EXPECT_EQ(textures_->loads, (std::vector<std::string>{"tetradoom.png 3 0"}));
  effect_->Release();
  EXPECT_EQ(effect_->Triangles().size(), 4104u);  // the triangles stay
  effect_.reset();
  EXPECT_EQ(textures_->releasedNames, (std::vector<std::string>{"tetradoom.png"}));
}

}  // namespace
