// The wave surface of a scene: its disc mesh, the travelling wave, the baked light and the
// eased reflection coordinates, drawn on the recording device.
#include "scene/scene_wave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scene_render_fixture.h"

namespace {

constexpr DWORD kOuterRingFirst = 1 + 32 * 31;  // vertex 0 of ring 32

CNURBWave Pool(float diameter, float height) {
  CNURBWave node;
  node.SetFloatParameter(0, diameter);
  node.SetFloatParameter(2, height);
  node.SetIntegerParameter(4, 0xFFFFFFFFu);  // not used by the wave
  return node;
}

CCamera CameraAt(D3DXVECTOR3 position) {
  CCamera camera;
  camera.position = position;
  return camera;
}

class SceneWaveTest : public SceneRenderFixture {
 protected:
  // Draws `wave` and returns the vertices drawn.
  std::vector<SceneVertex> DrawAndRead(CSceneWave& wave, float time, const CCamera* camera) {
    device_->Clear();
    wave.Draw(time, camera);
    const std::vector<RecordedCall> draws = Draws();
    if (draws.size() != 1) return {};
    return VerticesOf(draws[0]);
  }
};

TEST_F(SceneWaveTest, TheDiscIsAFanAndThirtyOneBandsOfTriangles) {
  const CSceneWave wave(Pool(10, 1));
  const std::vector<uint16_t>& indices = wave.Indices();
  ASSERT_EQ(indices.size(), CSceneWave::kIndexCount);
  EXPECT_EQ(indices.size(), 6048u);
  EXPECT_TRUE(std::all_of(indices.begin(), indices.end(),
                          [](uint16_t index) { return index < CSceneWave::kVertexCount; }));
  EXPECT_EQ(std::vector<uint16_t>(indices.begin(), indices.begin() + 3),
            (std::vector<uint16_t>{2, 1, 0}));
  EXPECT_EQ(std::vector<uint16_t>(indices.begin() + 93, indices.begin() + 96),
            (std::vector<uint16_t>{1, 32, 0}));
  EXPECT_EQ(std::vector<uint16_t>(indices.begin() + 96, indices.begin() + 102),
            (std::vector<uint16_t>{34, 33, 1, 2, 34, 1}));
  // The last band closes on itself between rings 31 and 32.
  EXPECT_EQ(std::vector<uint16_t>(indices.end() - 6, indices.end()),
            (std::vector<uint16_t>{kOuterRingFirst, 1024, 992, 961, kOuterRingFirst, 992}));
}

TEST_F(SceneWaveTest, ItDrawsItsWholeMeshWithTheVertexColourAsAlpha) {
  CSceneWave wave(Pool(10, 1));
  wave.Draw(0, nullptr);
  const std::vector<RecordedCall>& calls = device_->Calls();
  const std::vector<RecordedCall> stages = device_->Find("SetTextureStageState");
  const std::vector<std::vector<DWORD>> expected{{0, D3DTSS_COLORARG1, D3DTA_TEXTURE},
                                                 {0, D3DTSS_COLOROP, D3DTOP_MODULATE},
                                                 {0, D3DTSS_COLORARG2, D3DTA_DIFFUSE},
                                                 {0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2},
                                                 {0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE}};
  ASSERT_EQ(stages.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(stages[i].args, expected[i]);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[calls.size() - 2].name, "DrawIndexedPrimitiveVB");
  EXPECT_EQ(calls[calls.size() - 2].args,
            (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, 1025, 6048, 0}));
  EXPECT_EQ(calls.back().args, (std::vector<DWORD>{D3DRENDERSTATE_FILLMODE, D3DFILL_SOLID}));
}

TEST_F(SceneWaveTest, AtTimeZeroTheCentreSitsAtHalfTheWaveHeight) {
  CSceneWave wave(Pool(100, 3));
  const std::vector<SceneVertex> v = DrawAndRead(wave, 0, nullptr);
  ASSERT_EQ(v.size(), 1025u);
  EXPECT_FLOAT_EQ(v[0].y, 1.5f);
  EXPECT_EQ(v[0].colour, 0xFFFFFFFFu);
  EXPECT_EQ(v[0].u, 0.5f);
  EXPECT_EQ(v[0].v, 0.5f);
  // The outer ring lies at half the scaled diameter; every ring stays between 0 and the
  // crest height.
  EXPECT_NEAR(v[kOuterRingFirst].x, 100 * 0.982f / 2, 1e-4f);
  EXPECT_NEAR(v[kOuterRingFirst].z, 0, 1e-4f);
  for (const SceneVertex& vertex : v) {
    EXPECT_GE(vertex.y, 0.0f);
    EXPECT_LE(vertex.y, 3.0f);
  }
}

TEST_F(SceneWaveTest, AFlatWaveIsLitFromAbove) {
  CSceneWave wave(Pool(100, 0));
  const std::vector<SceneVertex> v = DrawAndRead(wave, 2, nullptr);
  ASSERT_EQ(v.size(), 1025u);
  // The light falls along (0.4, -0.4, -0.1): an upward face gets 0.4 / |l| = 0.696.
  EXPECT_EQ(v[kOuterRingFirst].colour, 0xFFB1B1B1u);
  EXPECT_EQ(v[500].colour, 0xFFB1B1B1u);
}

TEST_F(SceneWaveTest, AVertexSeenAlongItsNormalEasesTowardsTheTextureCentre) {
  CSceneWave wave(Pool(100, 0));  // flat: every normal points up
  const D3DXVECTOR3 above{100 * 0.982f / 2, 30, 0};
  const CCamera camera = CameraAt(above);

  // Without a camera the coordinates stay as made: (x / r + 1) * 1.5 at the outer ring.
  std::vector<SceneVertex> v = DrawAndRead(wave, 0, nullptr);
  EXPECT_NEAR(v[kOuterRingFirst].u, 3.0f, 1e-5f);
  EXPECT_NEAR(v[kOuterRingFirst].v, 1.5f, 1e-5f);

  // Each draw moves them a tenth of the way towards (0.5, 0.5).
  float u = v[kOuterRingFirst].u;
  for (int draw = 0; draw < 5; ++draw) {
    v = DrawAndRead(wave, 0, &camera);
    const float expected = 0.5f + (u - 0.5f) * 0.9f;
    EXPECT_NEAR(v[kOuterRingFirst].u, expected, 1e-5f);
    u = v[kOuterRingFirst].u;
  }
  EXPECT_GT(u, 1.5f);  // still far from settled after a few draws
  for (int draw = 0; draw < 200; ++draw) v = DrawAndRead(wave, 0, &camera);
  EXPECT_NEAR(v[kOuterRingFirst].u, 0.5f, 1e-4f);
  EXPECT_NEAR(v[kOuterRingFirst].v, 0.5f, 1e-4f);
  // Vertices seen at a slant settle elsewhere.
  EXPECT_GT(std::abs(v[1].u - 0.5f), 0.01f);
}

TEST_F(SceneWaveTest, ADiscOfNoSizeDrawsWithoutFault) {
  CSceneWave wave(Pool(0, 1));
  const CCamera camera = CameraAt({0, 0, 0});
  const std::vector<SceneVertex> v = DrawAndRead(wave, 1, &camera);
  ASSERT_EQ(v.size(), 1025u);
  for (const SceneVertex& vertex : v) {
    EXPECT_TRUE(std::isfinite(vertex.x) && std::isfinite(vertex.y) && std::isfinite(vertex.u) &&
                std::isfinite(vertex.v));
  }
}

}  // namespace
