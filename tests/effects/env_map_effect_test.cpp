// The environment-mapped blobs: their paths, the camera and states, and the shading baked
// into the mesh.
#include "effects/env_map_effect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/effect_fixture.h"

namespace {

TEST(BlobCentres, ThreeCoincideAtTheStart) {
  const std::array<D3DVECTOR, kBlobCount> centres = BlobCentresAt(0);
  const float expected[kBlobCount][3] = {{1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, -1, 0}, {1, 0, 0}};
  for (int i = 0; i < kBlobCount; ++i) {
    EXPECT_FLOAT_EQ(centres[i].x, expected[i][0]) << i;
    EXPECT_FLOAT_EQ(centres[i].y, expected[i][1]) << i;
    EXPECT_FLOAT_EQ(centres[i].z, expected[i][2]) << i;
  }
  const std::array<D3DVECTOR, kBlobCount> later = BlobCentresAt(0.1f);
  EXPECT_FLOAT_EQ(later[1].x, std::sin(4.1f * 3.8245f * 0.1f));
  EXPECT_FLOAT_EQ(later[4].z, -std::sin(4.1f * 3.8245f * 0.1f));
}

class EnvMapEffectTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording();
    effect_ = std::make_unique<CEnvMapEffect>(demo_.get());
    effect_->Init();
  }
  void TearDown() override {
    effect_.reset();
    EffectFixture::TearDown();
  }
  std::unique_ptr<CEnvMapEffect> effect_;
};

TEST_F(EnvMapEffectTest, DrawsTheShadedSurfaceInOneIndexedCallWithTheOwnersProjection) {
  effect_->Render(0.0f);
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].name, "DrawIndexedPrimitive");
  const BlobMesh& mesh = effect_->Mesh();
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, kSceneVertexFvf,
                                               static_cast<DWORD>(mesh.vertices.size()),
                                               static_cast<DWORD>(mesh.indices.size()), 0}));
  EXPECT_EQ(draws[0].indices, mesh.indices);

  const std::vector<RecordedCall> transforms = device_->Find("SetTransform");
  ASSERT_EQ(transforms.size(), 2u);  // view and world; the projection is the owner's
  EXPECT_EQ(transforms[0].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_VIEW));
  EXPECT_FLOAT_EQ(transforms[0].matrix.m[3][2], 8.0f);
  EXPECT_EQ(transforms[1].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_WORLD));
  EXPECT_EQ(transforms[1].matrix.m[0][0], 3.0f);
  EXPECT_EQ(transforms[1].matrix.m[2][2], 3.0f);
  EXPECT_EQ(RenderStates(),
            (std::vector<std::pair<DWORD, DWORD>>{{D3DRENDERSTATE_CULLMODE, D3DCULL_NONE}}));
  int environment = -1;
  textures_->FindTexture("ckenv.png", &environment);
  EXPECT_EQ(textures_->bound, (std::vector<int>{environment}));
  EXPECT_EQ(effect_->Blobs()[2].component, effect_->Blobs()[0].component);
}

TEST_F(EnvMapEffectTest, TheLightAndTheReflectionFollowTheOutwardNormal) {
  effect_->Render(0.0f);
  const std::vector<SceneVertex>& vertices = effect_->Mesh().vertices;
  // The outermost points in +x, +y and -x face those ways.
  const auto most = [&](auto key) {
    return *std::max_element(
        vertices.begin(), vertices.end(),
        [&](const SceneVertex& a, const SceneVertex& b) { return key(a) < key(b); });
  };
  const float lightX = 1.0f / std::sqrt(1 + 1 + 1.44f);  // the light's x (and y) share
  const SceneVertex right = most([](const SceneVertex& v) { return v.x; });
  EXPECT_NEAR(static_cast<int>(right.colour & 0xFF), 255 * lightX, 15);
  // The reflections of the outermost points land on the sides of the map that the
  // effect's formula gives them: for the point facing +x left of the middle, for the point
  // facing +y below it.
  EXPECT_LT(right.u, 0.45f);
  const SceneVertex top = most([](const SceneVertex& v) { return v.y; });
  EXPECT_NEAR(static_cast<int>(top.colour & 0xFF), 255 * lightX, 15);
  EXPECT_GT(top.v, 0.55f);
  const SceneVertex left = most([](const SceneVertex& v) { return -v.x; });
  EXPECT_EQ(left.colour, 0xFF000000u);  // facing away from the light
  for (const SceneVertex& v : vertices) {
    ASSERT_EQ(v.colour >> 24, 0xFFu);
    ASSERT_EQ(v.colour & 0xFFFFFFu, (v.colour & 0xFF) * 0x010101u);
    ASSERT_TRUE(v.u >= 0 && v.u <= 1 && v.v >= 0 && v.v <= 1) << v.u << "," << v.v;
  }
}

TEST_F(EnvMapEffectTest, LoadsTheReflectionMapAndGivesItBackOnce) {
  EXPECT_EQ(textures_->loads, (std::vector<std::string>{"ckenv.png 0 0"}));
  effect_->Release();
  effect_.reset();
  EXPECT_EQ(textures_->releasedNames, (std::vector<std::string>{"ckenv.png"}));
}

}  // namespace
