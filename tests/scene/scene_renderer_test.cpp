// The scene renderer's build and update on the recording device: buckets and textures,
// static vertices, items, the camera choice, the view and fog.
#include "scene/scene_renderer.h"

#include <bit>
#include <cstring>

#include "demo/demo_random.h"
#include "render/d3dx/d3dx_maths.h"
#include "scene_render_fixture.h"

namespace {

using SceneRendererTest = SceneRenderFixture;

std::vector<uint32_t> FlagsOf(const std::vector<MaterialBucket>& buckets) {
  std::vector<uint32_t> flags;
  for (const MaterialBucket& bucket : buckets) flags.push_back(bucket.flags);
  return flags;
}

// (x, y, z, 1) * m, divided by w.
D3DXVECTOR3 Project(const D3DMATRIX& m, D3DXVECTOR3 point) {
  D3DXVECTOR3 projected;
  D3DXVec3TransformCoord(&projected, &point, &m);
  return projected;
}

std::vector<D3DMATRIX> ViewsSet(const RecordingDevice& device) {
  std::vector<D3DMATRIX> views;
  for (const RecordedCall& call : device.Find("SetTransform")) {
    if (call.args[0] == D3DTRANSFORMSTATE_VIEW) views.push_back(call.matrix);
  }
  return views;
}

void ExpectMatrixNear(const D3DMATRIX& actual, const D3DMATRIX& expected) {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_NEAR(actual.m[row][column], expected.m[row][column], 1e-5f)
          << "row " << row << " column " << column;
    }
  }
}

TEST_F(SceneRendererTest, BucketsComeOpaqueThenAlphaBlendedThenAdditive) {
  scene_.materials = {MakeMaterial("glow", "glow.png", kMaterialAdditive),
                      MakeMaterial("stone", "stone.png"),
                      MakeMaterial("glass", "glass.png", kMaterialAlphaBlended),
                      MakeMaterial("haze", "haze.png", kMaterialAdditive | kMaterialAlphaBlended),
                      MakeMaterial("leaf", "", kMaterialTwoSided)};
  Build();

  const std::vector<uint32_t> expectedFlags{0,    kMaterialTwoSided, kMaterialAlphaBlended,
                                            0x05, kMaterialAdditive, 0x05};
  EXPECT_EQ(FlagsOf(renderer_->Buckets()), expectedFlags);
  // The material with both blending flags is built twice; its name maps to the later one.
  EXPECT_EQ(renderer_->BucketOf("haze"), 5);
  EXPECT_EQ(renderer_->BucketOf("glow"), 4);
  EXPECT_EQ(renderer_->BucketOf("stone"), 0);
  // Alpha-blended materials ask for the alpha format (3), the others for the default (0).
  const std::vector<std::string> loads{"stone.png 0 0", "glass.png 3 0", "haze.png 3 0",
                                       "glow.png 0 0", "haze.png 3 0"};
  EXPECT_EQ(textures_->loads, loads);
  EXPECT_FALSE(renderer_->Buckets()[1].textured);
  EXPECT_TRUE(renderer_->Buckets()[1].textureFrames.empty());
  EXPECT_TRUE(renderer_->Buckets()[0].textured);
  EXPECT_EQ(renderer_->Buckets()[0].textureFrames, std::vector<int>{0});
}

TEST_F(SceneRendererTest, AnAnimatedTextureLoadsOneTexturePerFrame) {
  textures_->missing = {"ripple2.png"};
  scene_.materials = {MakeMaterial("water_ANIMATED3", "ripple1.png", kMaterialAnimatedTexture)};
  Build();

  const std::vector<std::string> loads{"ripple1.png 0 0", "ripple2.png 0 0", "ripple3.png 0 0"};
  EXPECT_EQ(textures_->loads, loads);
  // The frame that could not be loaded binds no texture.
  EXPECT_EQ(renderer_->Buckets()[0].textureFrames, (std::vector<int>{0, -1, 1}));
}

TEST_F(SceneRendererTest, ReleaseHandsEveryTextureBack) {
  scene_.materials = {MakeMaterial("water_ANIMATED2", "ripple1.png", kMaterialAnimatedTexture),
                      MakeMaterial("stone", "stone.png")};
  AddMesh(scene_, "wall", "stone", {Square(2)});
  Build();
  renderer_->Release();

  EXPECT_EQ(textures_->released, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(renderer_->Buckets().empty());
  EXPECT_TRUE(renderer_->Items().empty());
  device_->Clear();
  Frame(1);
  EXPECT_TRUE(device_->Calls().empty());
}

TEST_F(SceneRendererTest, StaticMeshesShareOneBufferWithWhiteAndZeroForMissingValues) {
  scene_.materials = {MakeMaterial("stone", "stone.png")};
  AddMesh(scene_, "first", "stone", {Square(2)});
  MeshFrame sparse = Square(4);
  sparse.colours.resize(1);
  sparse.colours[0] = {0.5f, 0.25f, 1.0f, 1.0f};
  sparse.uvs.resize(2);
  AddMesh(scene_, "second", "stone", {sparse});
  Build();
  Frame(0);

  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, 4, 6, 0}));
  EXPECT_EQ(draws[1].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 4, 4, 6, 0}));
  EXPECT_EQ(draws[1].indices, (std::vector<uint16_t>{0, 1, 2, 0, 2, 3}));
  const std::vector<SceneVertex> vertices = VerticesOf(draws[1]);
  ASSERT_EQ(vertices.size(), 4u);
  // Channels are truncated: 0.5 * 255 = 127.5 gives 127, 0.25 * 255 = 63.75 gives 63.
  EXPECT_EQ(vertices[0].colour, 0xFF7F3FFFu);
  EXPECT_EQ(vertices[1].colour, 0xFFFFFFFFu);
  EXPECT_EQ(vertices[3].colour, 0xFFFFFFFFu);
  EXPECT_EQ(vertices[2].u, 0.0f);  // Square's own uvs there are (1, 0) and (1, 1)
  EXPECT_EQ(vertices[3].u, 0.0f);
  EXPECT_EQ(vertices[3].v, 0.0f);
  EXPECT_EQ(vertices[3].x, 2.0f);
  EXPECT_EQ(vertices[3].y, -2.0f);
}

TEST_F(SceneRendererTest, EveryMeshStartsAtItsOwnRandomTextureFrame) {
  scene_.materials = {MakeMaterial("stone", "")};
  for (const char* name : {"a", "b", "c"}) AddMesh(scene_, name, "stone", {Square(1)});
  Build(/*seed=*/77);

  SeedDemoRand(77);
  for (const RenderItem& item : renderer_->Items()) {
    EXPECT_EQ(item.textureFrameCounter, static_cast<uint32_t>(DemoRand() % 32));
    EXPECT_EQ(item.textureFrameTimer, static_cast<float>(DemoRand() % 1024) / 1024.0f / 15.0f);
    EXPECT_LT(item.textureFrameTimer, 1.0f / 15.0f);
  }
}

TEST_F(SceneRendererTest, NodesWithoutAnyMaterialDrawFromOnePlainBucket) {
  AddMesh(scene_, "lonely", "nowhere", {Square(2)});
  Build();
  Frame(0);

  ASSERT_EQ(renderer_->Buckets().size(), 1u);
  EXPECT_EQ(renderer_->Buckets()[0].flags, 0u);
  EXPECT_FALSE(renderer_->Buckets()[0].textured);
  EXPECT_EQ(Draws().size(), 1u);
  EXPECT_TRUE(textures_->bound.empty());
}

TEST_F(SceneRendererTest, AnUnknownMaterialFallsIntoTheFirstBucket) {
  scene_.materials = {MakeMaterial("glow", "glow.png", kMaterialAdditive),
                      MakeMaterial("stone", "stone.png")};
  AddMesh(scene_, "odd", "missing", {Square(2)});
  Build();
  EXPECT_EQ(renderer_->Items()[0].bucket, 0u);
  EXPECT_EQ(renderer_->BucketOf("missing"), 0);
  EXPECT_EQ(renderer_->Buckets()[0].items, std::vector<size_t>{0});
}

TEST_F(SceneRendererTest, MeshesThatNoBufferCanHoldAreLeftOut) {
  scene_.materials = {MakeMaterial("stone", "")};
  MeshFrame huge;
  huge.positions.resize(70000);
  huge.faces = {{0, 1, 2}};
  AddMesh(scene_, "huge", "stone", {huge});
  AddMesh(scene_, "faceless", "stone", {MeshFrame{}});
  AddMesh(scene_, "frameless", "stone", {});
  CGeomObject& morph = AddMesh(scene_, "morph", "stone", {Square(1), Square(2)});
  morph.frameTimes = {0, 1};
  Build();
  Frame(0.5f);

  // The static buffer could not be made; the vertex-animated mesh still draws.
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].args[2], 4u);
}

TEST_F(SceneRendererTest, TheWorldMatrixScalesTurnsAndMovesAboutThePivot) {
  CGeomObject& mesh = AddMesh(scene_, "m", "", {Square(1)});
  mesh.scale = {2, 2, 2};
  mesh.pivot = {1, 0, 0};
  mesh.position = {0, 0, 5};
  const D3DXVECTOR3 zAxis{0, 0, 1};
  D3DXQuaternionRotationAxis(&mesh.rotation, &zAxis, 1.5707964f);
  Build();

  // The origin is moved by the pivot to (1, 0, 0), scaled to (2, 0, 0), turned to (0, 2, 0),
  // moved to (0, 2, 5) and back by the pivot to (-1, 2, 5).
  const D3DXVECTOR3 origin = Project(renderer_->Items()[0].world, {0, 0, 0});
  EXPECT_NEAR(origin.x, -1, 1e-5f);
  EXPECT_NEAR(origin.y, 2, 1e-5f);
  EXPECT_NEAR(origin.z, 5, 1e-5f);
}

TEST_F(SceneRendererTest, UpdateResetsTheWorldThenDrawsFromTheMovingCamera) {
  CCamera& camera = AddCamera(scene_, "eye", {0, 50, 0});
  KeepMoving(scene_, "eye", {0, 50, 0}, 0, 10);
  Build();
  device_->Clear();
  renderer_->Update(5);

  ASSERT_FALSE(device_->Calls().empty());
  EXPECT_EQ(device_->Calls()[0].name, "SetTransform");
  EXPECT_EQ(device_->Calls()[0].args, std::vector<DWORD>{D3DTRANSFORMSTATE_WORLD});
  D3DXMATRIX identity;
  EXPECT_EQ(
      std::memcmp(&device_->Calls()[0].matrix, D3DXMatrixIdentity(&identity), sizeof identity), 0);
  EXPECT_EQ(renderer_->CurrentCamera(), &camera);

  // The view is set when the camera is chosen and once more for the frame.
  const std::vector<D3DMATRIX> views = ViewsSet(*device_);
  ASSERT_EQ(views.size(), 2u);
  // An unturned camera looks down -y: the point below it lies in the middle of the
  // picture, at w = its distance; +x lies to the right, +z up the picture.
  const D3DXVECTOR3 below = Project(views[1], {0, 0, 0});
  EXPECT_NEAR(below.x, 0, 1e-6f);
  EXPECT_NEAR(below.y, 0, 1e-6f);
  EXPECT_GT(below.z, 0);
  EXPECT_LT(below.z, 1);
  EXPECT_GT(Project(views[1], {1, 0, 0}).x, 0);
  EXPECT_GT(Project(views[1], {0, 0, 1}).y, 0);
}

TEST_F(SceneRendererTest, TheViewIsTheCamerasViewTimesItsProjection) {
  CCamera& camera = AddCamera(scene_, "eye", {3, -4, 12});
  camera.rotation = {0.2f, -0.3f, 0.1f, 0.927362f};
  camera.fov = 0.6f;
  camera.nearPlane = 2;
  camera.farPlane = 300;
  KeepMoving(scene_, "eye", camera.position, 0, 10);
  scene_.animator.tracks["eye"].rotationKeys = {{0, camera.rotation, camera.rotation, {}}};
  Build();
  renderer_->Update(1);

  const D3DXVECTOR3 xAxis{1, 0, 0};
  D3DXQUATERNION turn, q;
  D3DXQuaternionRotationAxis(&turn, &xAxis, 1.5707964f);
  D3DXQuaternionMultiply(&q, &turn, &camera.rotation);
  D3DXMATRIX placement, view, projection, expected;
  D3DXMatrixAffineTransformation(&placement, 1, nullptr, &q, &camera.position);
  D3DXMatrixInverse(&view, nullptr, &placement);
  // The screen's aspect as whole numbers: 640 / 480 is 1.
  D3DXMatrixPerspectiveFovLH(&projection, 0.6f, 1.0f, 2, 300);
  D3DXMatrixMultiply(&expected, &view, &projection);
  const std::vector<D3DMATRIX> views = ViewsSet(*device_);
  ASSERT_FALSE(views.empty());
  ExpectMatrixNear(views.back(), expected);
  // PROJECTION is not touched.
  for (const RecordedCall& call : device_->Find("SetTransform")) {
    EXPECT_NE(call.args[0], D3DTRANSFORMSTATE_PROJECTION);
  }
}

TEST_F(SceneRendererTest, FogIsSetWhenTheCameraChangesAndEnabledEveryFrame) {
  scene_.fogEnabled = 1;
  scene_.fogColour = {1.5f, -0.2f, 0.5f, 1.0f};
  scene_.fogStart = 0.25f;
  scene_.fogEnd = 0.75f;
  AddCamera(scene_, "eye", {0, 0, 0});  // near 10, far 110
  KeepMoving(scene_, "eye", {0, 0, 0}, 0, 10);
  Build();
  renderer_->Update(1);

  const std::vector<std::pair<DWORD, DWORD>> expected{
      {D3DRENDERSTATE_FOGCOLOR, 0xFFFF0080u},
      {D3DRENDERSTATE_FOGTABLEMODE, D3DFOG_LINEAR},
      {D3DRENDERSTATE_FOGSTART, std::bit_cast<DWORD>(35.0f)},
      {D3DRENDERSTATE_FOGEND, std::bit_cast<DWORD>(85.0f)},
      {D3DRENDERSTATE_FOGENABLE, 1}};
  EXPECT_EQ(RenderStates(), expected);

  device_->Clear();
  renderer_->Update(2);  // the same camera: only the switch
  EXPECT_EQ(RenderStates(), (std::vector<std::pair<DWORD, DWORD>>{{D3DRENDERSTATE_FOGENABLE, 1}}));
}

TEST_F(SceneRendererTest, TheFirstMovingCameraWinsAndAStillOneKeepsTheView) {
  scene_.fogEnabled = 1;
  CCamera& first = AddCamera(scene_, "first", {0, 0, 0});
  CCamera& second = AddCamera(scene_, "second", {0, 5, 0});
  KeepMoving(scene_, "first", {0, 0, 0}, 0, 10);
  KeepMoving(scene_, "second", {0, 5, 0}, 0, 20);
  Build();
  renderer_->Update(5);
  EXPECT_EQ(renderer_->CurrentCamera(), &first);

  // Past the first camera's last key only the second moves: it takes over, with its fog.
  device_->Clear();
  renderer_->Update(15);
  EXPECT_EQ(renderer_->CurrentCamera(), &second);
  EXPECT_EQ(device_->Find("SetRenderState").front().args[0], D3DRENDERSTATE_FOGCOLOR);

  // Once nothing moves the second camera stays and its view is still set.
  device_->Clear();
  renderer_->Update(25);
  EXPECT_EQ(renderer_->CurrentCamera(), &second);
  EXPECT_EQ(ViewsSet(*device_).size(), 1u);
}

TEST_F(SceneRendererTest, WithoutAMovingCameraTheViewIsLeftAlone) {
  AddCamera(scene_, "still", {0, 0, -5});
  AddMesh(scene_, "m", "", {Square(1)});
  Build();
  Frame(1);
  Frame(2);

  EXPECT_TRUE(ViewsSet(*device_).empty());
  EXPECT_EQ(renderer_->CurrentCamera(), nullptr);
  EXPECT_EQ(RenderStates().front(), (std::pair<DWORD, DWORD>{D3DRENDERSTATE_FOGENABLE, 0}));
  EXPECT_EQ(Draws().size(), 2u);
}

TEST_F(SceneRendererTest, VertexAnimatedMeshesTakeTheirRadiusFromTheFrames) {
  MeshFrame small = Square(1), large = Square(1);
  small.radius = 1;
  large.radius = 3;
  CGeomObject& mesh = AddMesh(scene_, "m", "", {small, large});
  mesh.frameTimes = {2, 4};
  Build();

  renderer_->Update(1);
  EXPECT_EQ(mesh.radius, 1.0f);
  renderer_->Update(3.5f);
  EXPECT_EQ(mesh.radius, 2.5f);
  renderer_->Update(9);
  EXPECT_EQ(mesh.radius, 3.0f);
}

}  // namespace
