// The scene part on a real demo runtime: loading from the archive and its failures, the
// mapping of progress to scene time, the textures it gives back, and a drawn picture.
#include "scene/scene_part.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/log.h"
#include "base/demo_error.h"
#include "demo/timeline.h"
#include "kit/png_encoder.h"
#include "support/demo_archive.h"
#include "support/demo_fixture.h"

namespace {

constexpr char kShot[] = "shot.hrn";

std::vector<uint8_t> SolidPng(Rgba8 colour) {
  return EncodePng(PixelImage(16, 16, colour), PngChannels::kRgb);
}

// A square of 2 * half in the xz plane at height y, turned to face a camera above it.
MeshFrame Floor(float half, float y) {
  MeshFrame frame;
  frame.positions = {{-half, y, -half}, {-half, y, half}, {half, y, half}, {half, y, -half}};
  frame.uvs = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
  frame.faces = {{0, 1, 2}, {0, 2, 3}};
  frame.radius = half * 1.5f;
  return frame;
}

std::unique_ptr<CGeomObject> Mesh(std::string name, std::string material, MeshFrame frame) {
  auto mesh = std::make_unique<CGeomObject>();
  mesh->name = std::move(name);
  mesh->materialName = std::move(material);
  mesh->radius = frame.radius;
  mesh->frames = {std::move(frame)};
  return mesh;
}

CMaterial Material(std::string name, std::string texture, uint32_t flags = 0) {
  CMaterial material;
  material.name = std::move(name);
  material.textureName = std::move(texture);
  material.flags = flags;
  return material;
}

// A stone floor seen from a camera above it that moves (standing still) all through the
// animation, a glowing tile on the floor's middle, and a box that slides along x from 0 at
// time 0 to 10 at time 10; the animation ends at 20.
CScene FloorScene() {
  CScene scene;
  scene.materials = {Material("stone", "stone.png"),
                     Material("glow", "glow.png", kMaterialAdditive)};
  scene.nodes.push_back(Mesh("floor", "stone", Floor(100, 0)));
  scene.nodes.push_back(Mesh("tile", "glow", Floor(10, 1)));
  scene.nodes.push_back(Mesh("box", "stone", Floor(1, 2)));
  auto camera = std::make_unique<CCamera>();
  camera->name = "eye";
  camera->position = {0, 50, 0};
  camera->fov = 1.0f;
  camera->nearPlane = 1;
  camera->farPlane = 1000;
  scene.nodes.push_back(std::move(camera));
  scene.animator.endTime = 20;
  scene.animator.tracks["eye"].positionKeys = {{0, {0, 50, 0}, {}, {}}, {20, {0, 50, 0}, {}, {}}};
  // Tangents of one segment's length make the Hermite curve a straight, even line.
  scene.animator.tracks["box"].positionKeys = {{0, {0, 0, 0}, {10, 0, 0}, {10, 0, 0}},
                                               {10, {10, 0, 0}, {}, {}}};
  return scene;
}

class ScenePartTest : public DemoFixture {
 protected:
  // Writes lantern.dat with the demo's own entries, `streams` as the storage kShot and the
  // scene's two textures.
  void WriteStreams(const std::vector<SceneStream>& streams) {
    CompoundFileBuilder archive = DemoArchive();
    for (const auto& [name, bytes] : streams) {
      archive.AddStream(std::string(kShot) + "/" + name, bytes);
    }
    archive.AddStream("stone.png", SolidPng({200, 120, 40, 255}));
    archive.AddStream("glow.png", SolidPng({40, 60, 100, 255}));
    WriteArchive(archive);
  }

  // Builds the demo with one scene part, shown from 0 to 10 s, and returns the part.
  CScenePart* BuildWith(const std::string& scene, int noDepth = 0, float sceneStart = 0,
                        float sceneEnd = 0) {
    CScenePart* part = nullptr;
    BuildDemo([&](CDemo& demo) {
      auto owned = std::make_unique<CScenePart>(&demo, scene, noDepth, sceneStart, sceneEnd);
      part = owned.get();
      demo.AddPart(std::move(owned), "scene", 0, 10);
    });
    return part;
  }

  // The message of the demoError that building the demo with the scene part throws.
  std::string InitFailure(const std::string& scene) {
    try {
      BuildWith(scene);
    } catch (const demoError& error) {
      return error.message();
    }
    return "no error";
  }

  // What the demo has logged so far.
  static std::string LogSoFar() {
    g_log.flush();
    std::ifstream file("log.txt");
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  // Draws the frame at `progress` of the part's window.
  void DrawAtProgress(float progress) { ASSERT_TRUE(DrawFrameAt(kTimeOffset + 10.0 * progress)); }

  float BoxX(const CScenePart& part) const { return part.Scene().nodes[2]->position.x; }
};

TEST_F(ScenePartTest, AMissingStorageCannotBeOpened) {
  WriteStreams(FloorScene().Save());
  EXPECT_EQ(InitFailure("absent.hrn"),
            "Could not open heron storage: " + ErrorText(STG_E_FILENOTFOUND));
}

TEST_F(ScenePartTest, ADamagedSceneCannotBeLoaded) {
  std::vector<SceneStream> streams = FloorScene().Save();
  ASSERT_EQ(streams.front().first, ".scene");
  streams.front().second[0] = 2;  // a version the loader does not know
  WriteStreams(streams);
  EXPECT_EQ(InitFailure(kShot),
            "Could not load heron scene: The record has a version this program cannot read");
}

TEST_F(ScenePartTest, ASceneEndOfZeroPlaysToTheAnimationsEnd) {
  WriteStreams(FloorScene().Save());
  CScenePart* part = BuildWith(kShot, 0, 4.0f, 0.0f);
  EXPECT_EQ(part->sceneStart, 4.0f);
  EXPECT_EQ(part->sceneEnd, 20.0f);
}

TEST_F(ScenePartTest, ProgressRunsThroughTheSceneWindowEitherWayRound) {
  WriteStreams(FloorScene().Save());
  CScenePart* part = BuildWith(kShot, 0, 8.0f, 4.0f);
  DrawAtProgress(0.25f);
  EXPECT_NEAR(BoxX(*part), 7.0f, 1e-3f);
  DrawAtProgress(0.75f);
  EXPECT_NEAR(BoxX(*part), 5.0f, 1e-3f);
  EXPECT_EQ(part->frames, 2);
}

TEST_F(ScenePartTest, AnEqualStartAndEndFreezesTheScene) {
  WriteStreams(FloorScene().Save());
  CScenePart* part = BuildWith(kShot, 0, 3.0f, 3.0f);
  for (const float progress : {0.1f, 0.5f, 0.9f}) {
    DrawAtProgress(progress);
    EXPECT_NEAR(BoxX(*part), 3.0f, 1e-5f);
  }
}

TEST_F(ScenePartTest, ReleaseGivesTheTexturesBack) {
  WriteStreams(FloorScene().Save());
  CScenePart* part = BuildWith(kShot);
  EXPECT_EQ(LogSoFar().find("Freeing texture"), std::string::npos);
  part->Release();
  EXPECT_TRUE(part->Scene().nodes.empty());
  EXPECT_TRUE(part->Scene().materials.empty());
  const std::string log = LogSoFar();
  EXPECT_NE(log.find("Freeing texture stone.png"), std::string::npos) << log;
  EXPECT_NE(log.find("Freeing texture glow.png"), std::string::npos) << log;
}

TEST_F(ScenePartTest, ATexturedSceneIsDrawnFromItsCamera) {
  WriteStreams(FloorScene().Save());
  BuildWith(kShot);
  DrawAtProgress(0.5f);

  std::vector<uint32_t> pixels;
  DWORD width = 0, height = 0;
  ASSERT_EQ(demo_->context()->ReadRenderTarget(pixels, &width, &height), S_OK);
  ASSERT_EQ(width, 640u);
  ASSERT_EQ(height, 480u);
  const auto rgb = [&](DWORD x, DWORD y) { return pixels[size_t{y} * width + x] & 0xFFFFFFu; };
  // The floor fills the picture; the glowing tile in its middle adds its colour to it.
  EXPECT_EQ(rgb(60, 100), 0xC87828u);
  EXPECT_EQ(rgb(580, 400), 0xC87828u);
  EXPECT_EQ(rgb(320, 240), 0xF0B48Cu);
  // The letterbox bars keep the clear colour.
  EXPECT_EQ(rgb(320, 10), 0u);
}

}  // namespace
