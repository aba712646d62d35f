// The title: the scene's progress through its music-locked segments, when the scene and the
// flare swirl are drawn, the swirl's sprites and states, and the buffer it fills.
#include "effects/particle_title.h"

#include <gtest/gtest.h>

#include "base/demo_error.h"
#include "render/d3d/result.h"
#include "scene/scene_vertex.h"
#include "support/effect_fixture.h"

namespace {

constexpr float kFrame = 0.0014285714f;  // one scene frame of the title's 700

TEST(TitleSceneProgress, StandsAtTheStartBeforeTheFirstKey) {
  EXPECT_EQ(TitleSceneProgress(0.05f), 0.00001f);
  EXPECT_EQ(TitleSceneProgress(0.073f), 0.00001f);
}

TEST(TitleSceneProgress, PlaysEachSegmentOverATenthAndThenHolds) {
  EXPECT_NEAR(TitleSceneProgress(0.1f), (0.1f - 0.073061787f) * 10 * 20 * kFrame, 1e-6);
  EXPECT_NEAR(TitleSceneProgress(0.2f), (100 + (0.2f - 0.17689863f) * 10 * 20) * kFrame, 1e-6);
  EXPECT_FLOAT_EQ(TitleSceneProgress(0.29f), 121 * kFrame);  // key 1 held after 0.1
  EXPECT_FLOAT_EQ(TitleSceneProgress(0.29465806f), 200 * kFrame);
  EXPECT_FLOAT_EQ(TitleSceneProgress(1.0f), 621 * kFrame);
}

TEST(TitleSceneProgress, NeverRunsBackward) {
  float previous = 0;
  for (float t = 0; t <= 1.0f; t += 0.001f) {
    const float progress = TitleSceneProgress(t);
    EXPECT_GE(progress, previous) << t;
    previous = progress;
  }
}

// A title scene of one square before a camera.
CompoundFileBuilder ArchiveWithTitleScene() {
  CScene scene;
  MeshFrame frame;
  frame.positions = {{-1, -1, 5}, {-1, 1, 5}, {1, 1, 5}, {1, -1, 5}};
  frame.uvs = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
  frame.faces = {{0, 1, 2}, {0, 2, 3}};
  frame.radius = 2;
  auto mesh = std::make_unique<CGeomObject>();
  mesh->name = "letter";
  mesh->radius = 2;
  mesh->frames = {frame};
  scene.nodes.push_back(std::move(mesh));
  auto camera = std::make_unique<CCamera>();
  camera->name = "eye";
  camera->fov = 1;
  camera->nearPlane = 1;
  camera->farPlane = 100;
  scene.nodes.push_back(std::move(camera));
  scene.animator.endTime = 10;
  CompoundFileBuilder archive = DemoArchive();
  for (const auto& [name, bytes] : scene.Save()) archive.AddStream("text.hrn/" + name, bytes);
  return archive;
}

class ParticleTitleTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording(ArchiveWithTitleScene());
    title_ = std::make_unique<CParticleTitle>(demo_.get());
    title_->Init();
  }
  void TearDown() override {
    title_.reset();
    EffectFixture::TearDown();
  }

  // What the frame at `t` drew: the swirl (from its buffer), the scene (indexed) or both.
  struct Drawn {
    bool swirl = false, scene = false;
  };
  Drawn DrawnAt(float t) {
    device_->Clear();
    title_->Render(t);
    Drawn drawn;
    for (const RecordedCall& draw : Draws()) {
      if (draw.name == "DrawPrimitiveVB") drawn.swirl = true;
      if (draw.name == "DrawIndexedPrimitiveVB") drawn.scene = true;
    }
    return drawn;
  }

  std::unique_ptr<CParticleTitle> title_;
};

TEST_F(ParticleTitleTest, TheSwirlOpensTheTitleAndTheSceneFollows) {
  EXPECT_FALSE(DrawnAt(0.004f).swirl);
  const Drawn early = DrawnAt(0.02f);
  EXPECT_TRUE(early.swirl);
  EXPECT_FALSE(early.scene);
  const Drawn both = DrawnAt(0.05f);
  EXPECT_TRUE(both.swirl);
  EXPECT_TRUE(both.scene);
  const Drawn late = DrawnAt(0.084f);
  EXPECT_FALSE(late.swirl);
  EXPECT_TRUE(late.scene);
  EXPECT_EQ(title_->frames, 4);
}

TEST_F(ParticleTitleTest, DrawsAllSpritesAdditivelyFifteenUnitsAwayWithTheViewReset) {
  DrawnAt(0.02f);
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, 7680, 0}));
  EXPECT_EQ(draws[0].fvf, kSceneVertexFvf);

  const std::vector<RecordedCall> transforms = device_->Find("SetTransform");
  ASSERT_EQ(transforms.size(), 2u);
  EXPECT_EQ(transforms[0].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_VIEW));
  EXPECT_EQ(transforms[0].matrix.m[3][0], 0.0f);
  EXPECT_EQ(transforms[0].matrix.m[0][0], 1.0f);
  EXPECT_EQ(transforms[1].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_WORLD));
  EXPECT_EQ(transforms[1].matrix.m[3][2], 15.0f);

  const std::vector<std::pair<DWORD, DWORD>> expected = {
      {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},  {D3DRENDERSTATE_LIGHTING, 0},
      {D3DRENDERSTATE_ZENABLE, 0},              {D3DRENDERSTATE_ZWRITEENABLE, 0},
      {D3DRENDERSTATE_ALPHABLENDENABLE, 1},     {D3DRENDERSTATE_ALPHATESTENABLE, 0},
      {D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE},  {D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE}};
  EXPECT_EQ(RenderStates(), expected);
  int flare = -1;
  textures_->FindTexture("flare.png", &flare);
  EXPECT_EQ(textures_->bound, (std::vector<int>{flare}));
}

TEST_F(ParticleTitleTest, EverySpriteIsAUnitSquareFacingTheCameraOnAHelixAboutX) {
  DrawnAt(0.03f);
  const std::vector<SceneVertex> vertices = VerticesAs<SceneVertex>(Draws()[0]);
  ASSERT_EQ(vertices.size(), 7680u);
  const double phase = (0.03f - 0.01f) * 11.987102438231483;
  for (size_t sprite = 0; sprite < 1280; ++sprite) {
    const SceneVertex* square = &vertices[sprite * 6];
    const float j = static_cast<float>(10 - 180 * phase + static_cast<double>(sprite % 160) * 0.5);
    ASSERT_NEAR(square[0].x, j, 1e-3) << sprite;
    EXPECT_EQ(square[2].x, square[0].x - 1);
    EXPECT_EQ(square[1].y, square[0].y + 1);
    EXPECT_EQ(square[5].y, square[0].y + 1);
    for (int corner = 0; corner < 6; ++corner) {
      EXPECT_EQ(square[corner].z, square[0].z);
      EXPECT_EQ(square[corner].colour, 0xFFFFFFFFu);
    }
    EXPECT_EQ(square[5].u, 1.0f);
    EXPECT_EQ(square[5].v, 1.0f);
    const float radius = std::hypot(square[0].y, square[0].z);
    EXPECT_LE(radius, (5 + 12) * 0.25f * 2.5f + 1e-3f);
    EXPECT_GE(radius, (12 - 5) * 0.25f * 0.5f - 1e-3f);
  }
}

TEST_F(ParticleTitleTest, LoadsTheFlareAndReleasesWhatItMadeOnce) {
  EXPECT_EQ(textures_->loads.front(), "flare.png 0 0");
  EXPECT_EQ(title_->vertexCount, 7680u);
  title_->Release();
  EXPECT_EQ(title_->vertexCount, 0u);
  title_.reset();
  EXPECT_EQ(std::count(textures_->releasedNames.begin(), textures_->releasedNames.end(),
                       "flare.png"),
            1);
}

}  // namespace
