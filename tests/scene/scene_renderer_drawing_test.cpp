// The scene renderer's frame on the recording device: visibility, the order of states and
// draws, blending, culling, animated textures, vertex-animated meshes and the items that
// draw themselves.
#include <string>

#include "scene/scene_renderer.h"
#include "scene_render_fixture.h"

namespace {

class SceneDrawingTest : public SceneRenderFixture {
 protected:
  // The calls since the last Clear, as "Name arg arg ...", leaving out draws' data.
  std::vector<std::string> CallLog() const {
    std::vector<std::string> log;
    for (const RecordedCall& call : device_->Calls()) {
      std::string line = call.name;
      for (const DWORD arg : call.args) {
        line += ' ';
        line += std::to_string(arg);
      }
      log.push_back(line);
    }
    return log;
  }

  // Update, then only the calls that Render makes.
  std::vector<std::string> RenderLog(float time, int noDepth = 0) {
    renderer_->Update(time);
    device_->Clear();
    renderer_->Render(time, noDepth);
    return CallLog();
  }

  // The translation z of each WORLD matrix set for a draw (Update's identity left out).
  std::vector<float> DrawnDepths() const {
    std::vector<float> depths;
    for (const D3DMATRIX& world : WorldMatrices()) depths.push_back(world.m[3][2]);
    return std::vector<float>(depths.begin() + 1, depths.end());
  }
};

std::string State(DWORD state, DWORD value) {
  return "SetRenderState " + std::to_string(state) + " " + std::to_string(value);
}

std::string Stage(DWORD state, DWORD value) {
  return "SetTextureStageState 0 " + std::to_string(state) + " " + std::to_string(value);
}

const std::vector<std::string> kStageModulate{Stage(D3DTSS_COLORARG1, D3DTA_TEXTURE),
                                              Stage(D3DTSS_COLORARG2, D3DTA_DIFFUSE),
                                              Stage(D3DTSS_COLOROP, D3DTOP_MODULATE)};

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

MeshFrame Strip(size_t vertexCount) {
  MeshFrame frame;
  frame.positions.resize(vertexCount, {0, 0, 0});
  frame.faces = {{0, 1, 2}};
  return frame;
}

TEST_F(SceneDrawingTest, AFrameSetsItsStatesThenDrawsEachOpaqueItem) {
  scene_.materials = {MakeMaterial("stone", "")};
  AddMesh(scene_, "wall", "stone", {Square(2)});
  Build();

  const std::vector<std::string> frameStates = Joined(
      {State(D3DRENDERSTATE_ZWRITEENABLE, 1), State(D3DRENDERSTATE_ZENABLE, 1),
       State(D3DRENDERSTATE_ALPHABLENDENABLE, 0), State(D3DRENDERSTATE_ALPHATESTENABLE, 0),
       State(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE), State(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE)},
      kStageModulate);
  const std::vector<std::string> expected =
      Joined({"ComputeSphereVisibility 1 0"},
             Joined(frameStates, {"SetTransform 1", "DrawIndexedPrimitiveVB 4 0 4 6 0"}));
  EXPECT_EQ(RenderLog(0), expected);
}

TEST_F(SceneDrawingTest, NoDepthDrawsWithoutDepthTestOrWrites) {
  AddMesh(scene_, "wall", "", {Square(2)});
  Build();
  const std::vector<std::string> log = RenderLog(0, /*noDepth=*/1);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[1], State(D3DRENDERSTATE_ZWRITEENABLE, 0));
  EXPECT_EQ(log[2], State(D3DRENDERSTATE_ZENABLE, 0));
}

TEST_F(SceneDrawingTest, BlendedItemsFollowTheOpaqueOnesFromFarToNear) {
  scene_.materials = {MakeMaterial("glow", "", kMaterialAdditive),
                      MakeMaterial("glass", "", kMaterialAlphaBlended), MakeMaterial("stone", "")};
  AddCamera(scene_, "eye", {0, 0, 0});
  KeepMoving(scene_, "eye", {0, 0, 0}, 0, 10);
  AddMesh(scene_, "near", "glow", {Square(1)}, {0, 0, 5});
  AddMesh(scene_, "wall", "stone", {Square(1)}, {0, 0, 30});
  AddMesh(scene_, "far", "glass", {Square(1)}, {0, 0, 20});
  AddMesh(scene_, "middle", "glow", {Square(1)}, {0, 3, 10});
  AddMesh(scene_, "behind", "glow", {Square(1)}, {0, 0, -25});
  Build();
  Frame(1);
  EXPECT_EQ(DrawnDepths(), (std::vector<float>{30, -25, 20, 10, 5}));
}

TEST_F(SceneDrawingTest, DepthTestedOpaqueItemsGoNearestFirstAndUntestedInBucketOrder) {
  scene_.materials = {MakeMaterial("stone", ""), MakeMaterial("wood", "")};
  AddCamera(scene_, "eye", {0, 0, 0});
  KeepMoving(scene_, "eye", {0, 0, 0}, 0, 10);
  AddMesh(scene_, "far", "stone", {Square(1)}, {0, 0, 30});
  AddMesh(scene_, "near", "wood", {Square(1)}, {0, 0, 5});
  AddMesh(scene_, "middle", "stone", {Square(1)}, {0, 0, -10});
  Build();
  Frame(1);
  EXPECT_EQ(DrawnDepths(), (std::vector<float>{5, -10, 30}));
  device_->Clear();
  Frame(1, /*noDepth=*/1);
  // Bucket by bucket: stone's two items, then wood's.
  EXPECT_EQ(DrawnDepths(), (std::vector<float>{30, -10, 5}));
}

TEST_F(SceneDrawingTest, BlendedItemsAtOneDistanceKeepTheirBucketOrder) {
  scene_.materials = {MakeMaterial("glow", "", kMaterialAdditive)};
  AddMesh(scene_, "a", "glow", {Square(1)}, {0, 0, 1});
  AddMesh(scene_, "b", "glow", {Square(1)}, {0, 0, 2});
  AddMesh(scene_, "c", "glow", {Square(1)}, {0, 0, 3});
  Build();
  Frame(1);  // no camera: every distance is 0
  EXPECT_EQ(DrawnDepths(), (std::vector<float>{1, 2, 3}));
}

TEST_F(SceneDrawingTest, AdditiveAndAlphaBlendedItemsSetTheirBlendStates) {
  scene_.materials = {MakeMaterial("glow", "glow.png", kMaterialAdditive),
                      MakeMaterial("glass", "glass.png", kMaterialAlphaBlended)};
  AddMesh(scene_, "spark", "glow", {Square(1)});
  AddMesh(scene_, "pane", "glass", {Square(1)});
  Build();
  const std::vector<std::string> log = RenderLog(0);

  const std::vector<std::string> blending{State(D3DRENDERSTATE_ZWRITEENABLE, 0),
                                          State(D3DRENDERSTATE_ALPHABLENDENABLE, 1),
                                          State(D3DRENDERSTATE_ALPHATESTENABLE, 0)};
  const std::vector<std::string> glass =
      Joined(Joined(blending, {State(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA),
                               State(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA)}),
             Joined(kStageModulate,
                    {Stage(D3DTSS_ALPHAARG1, D3DTA_TEXTURE), Stage(D3DTSS_ALPHAARG2, D3DTA_CURRENT),
                     Stage(D3DTSS_ALPHAOP, D3DTOP_MODULATE), "SetTransform 1",
                     "DrawIndexedPrimitiveVB 4 4 4 6 0"}));
  const std::vector<std::string> glow =
      Joined(Joined(blending, {State(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE),
                               State(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE)}),
             Joined(kStageModulate, {"SetTransform 1", "DrawIndexedPrimitiveVB 4 0 4 6 0"}));
  // The frame's own states come first (ten calls after the visibility test); the glass
  // bucket comes before the additive one, and both lie at distance 0.
  ASSERT_EQ(log.size(), 10 + glass.size() + glow.size());
  EXPECT_EQ(std::vector<std::string>(log.begin() + 10, log.begin() + 10 + glass.size()), glass);
  EXPECT_EQ(std::vector<std::string>(log.end() - glow.size(), log.end()), glow);
  // The fake manager binds textures itself: the glass texture (loaded first, slot 0), then
  // the glow one.
  EXPECT_EQ(textures_->bound, (std::vector<int>{0, 1}));
}

TEST_F(SceneDrawingTest, TwoSidedItemsDrawWithoutCulling) {
  scene_.materials = {MakeMaterial("leaf", "", kMaterialTwoSided)};
  AddMesh(scene_, "leaf", "leaf", {Square(1)});
  Build();
  const std::vector<std::string> log = RenderLog(0);
  const std::vector<std::string> tail{State(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE),
                                      "SetTransform 1", "DrawIndexedPrimitiveVB 4 0 4 6 0",
                                      State(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW)};
  ASSERT_GE(log.size(), tail.size());
  EXPECT_EQ(std::vector<std::string>(log.end() - tail.size(), log.end()), tail);
}

TEST_F(SceneDrawingTest, ItemsWhollyOutsideThePictureAreNotDrawn) {
  scene_.materials = {MakeMaterial("stone", "stone.png")};
  AddMesh(scene_, "a", "stone", {Square(1)});
  AddMesh(scene_, "b", "stone", {Square(1)});
  Build();
  device_->AnswerSphereVisibility(0x1000 << 3);  // beyond the bottom plane
  Frame(0);
  EXPECT_TRUE(Draws().empty());
  EXPECT_TRUE(textures_->bound.empty());
  ASSERT_EQ(device_->Find("ComputeSphereVisibility").size(), 1u);
  EXPECT_EQ(device_->Find("ComputeSphereVisibility")[0].args, (std::vector<DWORD>{2, 0}));

  device_->AnswerSphereVisibility(D3DSTATUS_CLIPUNIONALL);  // straddling every plane
  Frame(0);
  EXPECT_EQ(Draws().size(), 2u);
}

TEST_F(SceneDrawingTest, DirtyNodesGetANewWorldMatrixWhenDrawn) {
  CGeomObject& mesh = AddMesh(scene_, "m", "", {Square(1)}, {0, 0, 4});
  Build();
  mesh.position = {0, 0, 9};
  Frame(0);
  mesh.transformDirty = 1;
  Frame(0);
  // The 0 between is the second Update's identity.
  EXPECT_EQ(DrawnDepths(), (std::vector<float>{4, 0, 9}));
  EXPECT_EQ(mesh.transformDirty, 0);
}

TEST_F(SceneDrawingTest, AnAnimatedTextureStepsOnceAFrameAfterItsFrameTime) {
  scene_.materials = {MakeMaterial("water_ANIMATED3", "ripple1.png", kMaterialAnimatedTexture)};
  AddMesh(scene_, "pool", "water_ANIMATED3", {Square(1)});
  Build(/*seed=*/9);
  const uint32_t start = renderer_->Items()[0].textureFrameCounter;

  // Each frame is well past the frame time: exactly one step per frame, never more.
  for (int frame = 1; frame <= 4; ++frame) Frame(static_cast<float>(frame));
  const std::vector<int> stepping{static_cast<int>((start + 1) % 3),
                                  static_cast<int>((start + 2) % 3), static_cast<int>(start % 3),
                                  static_cast<int>((start + 1) % 3)};
  EXPECT_EQ(textures_->bound, stepping);
}

TEST_F(SceneDrawingTest, AnAnimatedTextureHoldsAFrameUntilItsTimeHasPassed) {
  scene_.materials = {MakeMaterial("water_ANIMATED3", "ripple1.png", kMaterialAnimatedTexture)};
  AddMesh(scene_, "pool", "water_ANIMATED3", {Square(1)});
  Build();
  // 0.02 s a frame: after the first step the frame changes every second frame.
  for (int frame = 1; frame <= 21; ++frame) Frame(0.02f * static_cast<float>(frame));
  const std::vector<int>& bound = textures_->bound;
  ASSERT_EQ(bound.size(), 21u);
  size_t firstChange = 1;
  while (firstChange < bound.size() && bound[firstChange] == bound[firstChange - 1]) {
    ++firstChange;
  }
  ASSERT_LE(firstChange, 2u);
  for (size_t i = firstChange + 1; i < bound.size(); ++i) {
    const bool changes = bound[i] != bound[i - 1];
    EXPECT_EQ(changes, (i - firstChange) % 2 == 0) << "frame " << i;
    if (changes) {
      EXPECT_EQ(bound[i], (bound[i - 1] + 1) % 3);
    }
  }
}

TEST_F(SceneDrawingTest, VertexAnimatedMeshesAreBlendedBetweenTheirFrames) {
  MeshFrame later = Square(4);
  later.colours.resize(1);  // the others count as white
  later.uvs.clear();        // and these as (0, 0)
  CGeomObject& mesh = AddMesh(scene_, "m", "", {Square(2), later});
  mesh.frameTimes = {0, 4};
  Build();
  Frame(1);  // a quarter of the way

  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, 4, 6, 0}));
  const std::vector<SceneVertex> vertices = VerticesOf(draws[0]);
  ASSERT_EQ(vertices.size(), 4u);
  EXPECT_EQ(vertices[3].x, 1.25f);
  EXPECT_EQ(vertices[3].y, -1.25f);
  // Red blended a quarter towards white: 0.25 * 255 + 0.5 rounds to 64.
  EXPECT_EQ(vertices[1].colour, 0xFFFF4040u);
  EXPECT_EQ(vertices[0].colour, 0xFFFFFFFFu);
  EXPECT_EQ(vertices[2].u, 0.75f);
  EXPECT_EQ(vertices[2].v, 0.0f);
}

TEST_F(SceneDrawingTest, AMeshShowsItsFirstFrameBeforeAndItsLastAfterTheFrameTimes) {
  MeshFrame last = Square(4);
  CGeomObject& mesh = AddMesh(scene_, "m", "", {Square(2), Square(3), last});
  mesh.frameTimes = {1, 2, 3};
  Build();
  Frame(0.5f);
  Frame(8);
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(VerticesOf(draws[0])[3].x, 1.0f);
  EXPECT_EQ(VerticesOf(draws[1])[3].x, 2.0f);
}

TEST_F(SceneDrawingTest, FramesOfDifferentSizesBlendTheVerticesTheyShare) {
  CGeomObject& mesh = AddMesh(scene_, "m", "", {Strip(6), Strip(4)});
  mesh.frameTimes = {0, 1};
  Build();
  Frame(0.5f);
  ASSERT_EQ(Draws().size(), 1u);
  EXPECT_EQ(Draws()[0].args[2], 4u);
}

TEST_F(SceneDrawingTest, VertexAnimatedMeshesShareTheDynamicBufferUntilItIsFull) {
  CGeomObject& mesh = AddMesh(scene_, "m", "", {Strip(400), Strip(400)});
  mesh.frameTimes = {0, 1};
  Build();
  EXPECT_EQ(renderer_->DynamicCapacity(), CSceneRenderer::kMinDynamicVertices);
  for (int frame = 0; frame < 5; ++frame) Frame(0.5f);

  std::vector<DWORD> starts;
  for (const RecordedCall& draw : Draws()) starts.push_back(draw.args[1]);
  EXPECT_EQ(starts, (std::vector<DWORD>{0, 400, 0, 400, 0}));
}

TEST_F(SceneDrawingTest, TheDynamicBufferGrowsForTheLargestFirstFrame) {
  CGeomObject& mesh = AddMesh(scene_, "m", "", {Strip(1500), Strip(10)});
  mesh.frameTimes = {0, 1};
  Build();
  EXPECT_EQ(renderer_->DynamicCapacity(), 1500u);
}

TEST_F(SceneDrawingTest, WaveSurfacesAndParticleSystemsDrawThemselves) {
  scene_.materials = {MakeMaterial("water", "water.png")};
  auto wave = std::make_unique<CNURBWave>();
  wave->name = "pool";
  wave->materialName = "water";
  wave->SetFloatParameter(0, 20);
  wave->SetFloatParameter(2, 1);
  scene_.nodes.push_back(std::move(wave));
  auto sparks = std::make_unique<CParticleSystem>();
  sparks->name = "sparks";
  sparks->materialName = "water";
  for (int i = 0; i < 3; ++i) sparks->SetFloatParameter(i, 4);
  sparks->SetIntegerParameter(4, 10);
  sparks->SetFloatParameter(5, 0.5f);
  scene_.nodes.push_back(std::move(sparks));
  Build();
  ASSERT_EQ(renderer_->Items().size(), 2u);
  EXPECT_TRUE(renderer_->Items()[0].indices.empty());
  EXPECT_NE(renderer_->Items()[0].drawable, nullptr);

  Frame(1);  // the particles' clock starts: only the wave draws
  Frame(2);
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].name, "DrawIndexedPrimitiveVB");
  EXPECT_EQ(draws[0].args[2], 1025u);
  EXPECT_EQ(draws[2].name, "DrawPrimitiveVB");
  EXPECT_EQ(draws[2].args[2], 60u);
  EXPECT_EQ(textures_->bound, (std::vector<int>{0, 0, 0, 0}));
}

}  // namespace
