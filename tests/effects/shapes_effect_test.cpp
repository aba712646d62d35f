// The shape morph: where its sampler puts the particles and in which order it draws its
// random values, how the pair of shapes moves on without a jump, the last pair, missing
// and broken shapes, and the states and buffer it draws with.
#include "effects/shapes_effect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

#include "base/log.h"
#include "base/demo_error.h"
#include "demo/demo_random.h"
#include "scene/geom_object_record.h"
#include "scene/scene_vertex.h"
#include "support/effect_fixture.h"

namespace {

// A record of one frame holding `positions` and `faces`.
std::vector<uint8_t> ShapeBytes(std::vector<D3DXVECTOR3> positions, std::vector<MeshFace> faces) {
  GeomObjectRecord record;
  MeshFrame frame;
  frame.positions = std::move(positions);
  frame.faces = std::move(faces);
  record.frames = {frame};
  record.frameTimes = {0};
  return WriteGeomObjectRecord(record);
}

// Two triangles of the box, one triangle for each other shape, each somewhere of its own.
const std::vector<D3DXVECTOR3> kBoxCorners = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 0, 10}};
const std::vector<MeshFace> kBoxFaces = {{0, 1, 2}, {0, 2, 3}};

std::map<std::string, std::vector<uint8_t>> ShapeStreams() {
  const auto triangle = [](float x) {
    return ShapeBytes({{x, 0, 0}, {x + 1, 0, 0}, {x, 1, 0}}, {{0, 1, 2}});
  };
  return {{"box", ShapeBytes(kBoxCorners, kBoxFaces)},
          {"sphere", triangle(100)},
          {"cone", triangle(200)},
          {"torus", triangle(300)},
          {"teapot", triangle(400)},
          {"dolphin", triangle(500)}};
}

CompoundFileBuilder ArchiveWith(const std::map<std::string, std::vector<uint8_t>>& streams) {
  CompoundFileBuilder archive = DemoArchive();
  for (const auto& [name, bytes] : streams) archive.AddStream(name, bytes);
  return archive;
}

float Fraction(int value) { return static_cast<float>(value % 1024) / 1024.0f; }

// The point the sampler makes of the next three random values on the test box, with
// y offset 43 and scale 60 (the first entry of the shape list).
D3DXVECTOR3 NextBoxSample() {
  const int triangle = DemoRand();
  float d = Fraction(DemoRand());
  const MeshFace& face = kBoxFaces[triangle % 2];
  float c = Fraction(DemoRand());
  if (c + d > 1) {
    c = 1 - c;
    d = 1 - d;
  }
  const D3DXVECTOR3& p0 = kBoxCorners[face.a];
  const D3DXVECTOR3& p1 = kBoxCorners[face.b];
  const D3DXVECTOR3& p2 = kBoxCorners[face.c];
  return {(p0.x + d * (p1.x - p0.x) + c * (p2.x - p0.x)) * 60,
          (p0.y + d * (p1.y - p0.y) + c * (p2.y - p0.y) - 43) * 60,
          (p0.z + d * (p1.z - p0.z) + c * (p2.z - p0.z)) * 60};
}

class ShapesEffectTest : public EffectFixture {
 protected:
  void Start(const std::map<std::string, std::vector<uint8_t>>& streams = ShapeStreams()) {
    StartRecording(ArchiveWith(streams));
    shapes_ = std::make_unique<CShapesEffect>(demo_.get());
  }
  void TearDown() override {
    shapes_.reset();
    EffectFixture::TearDown();
  }

  // The particle vertices drawn by the frame at `t`.
  std::vector<SceneVertex> DrawnAt(float t) {
    device_->Clear();
    shapes_->Render(t);
    const std::vector<RecordedCall> draws = Draws();
    EXPECT_EQ(draws.size(), 1u);
    if (draws.empty()) return {};
    return VerticesAs<SceneVertex>(draws[0]);
  }

  std::string InitFailure() {
    try {
      shapes_->Init();
    } catch (const demoError& error) {
      return error.message();
    }
    return "no error";
  }

  static std::string LogSoFar() {
    g_log.flush();
    std::ifstream file("log.txt");
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  std::unique_ptr<CShapesEffect> shapes_;
};

// The largest distance between the particles of two frames.
float LargestMove(const std::vector<SceneVertex>& a, const std::vector<SceneVertex>& b) {
  float largest = 0;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    largest = std::max(largest, std::hypot(a[i].x - b[i].x, a[i].y - b[i].y, a[i].z - b[i].z));
  }
  return largest;
}

// The farthest any particle lies from the origin.
float Reach(const std::vector<SceneVertex>& vertices) {
  float reach = 0;
  for (const SceneVertex& vertex : vertices) {
    reach = std::max(reach, std::hypot(vertex.x, vertex.y, vertex.z));
  }
  return reach;
}

TEST_F(ShapesEffectTest, AtTheStartTheCloudIsTheFirstShapeUnturnedInTheSamplersDrawOrder) {
  Start();
  SeedDemoRand(5);
  shapes_->Init();
  const std::vector<SceneVertex> vertices = DrawnAt(0);
  ASSERT_EQ(vertices.size(), kShapeVertices);

  SeedDemoRand(5);
  std::vector<D3DCOLOR> colours;
  for (int j = 0; j < kShapeParticles; ++j) {
    const auto grey = static_cast<DWORD>(Fraction(DemoRand()) * 255);
    colours.push_back(0xFF000000u | grey * 0x010101u);
  }
  for (int j = 0; j < kShapeParticles; ++j) {
    const D3DXVECTOR3 expected = NextBoxSample();
    const SceneVertex* triangle = &vertices[3 * j];
    ASSERT_NEAR(triangle[0].x, expected.x, 1e-2) << j;
    ASSERT_NEAR(triangle[0].y, expected.y, 1e-2) << j;
    ASSERT_NEAR(triangle[0].z, expected.z, 1e-2) << j;
    // A right triangle with legs of 10 facing the camera, the sprite's upper-left half.
    EXPECT_EQ(triangle[1].x, triangle[0].x - 10);
    EXPECT_EQ(triangle[1].y, triangle[0].y);
    EXPECT_EQ(triangle[2].y, triangle[0].y - 10);
    EXPECT_EQ(triangle[2].z, triangle[0].z);
    EXPECT_EQ(triangle[0].u + triangle[0].v, 0.0f);
    EXPECT_EQ(triangle[1].u, 1.0f);
    EXPECT_EQ(triangle[2].v, 1.0f);
    for (int corner = 0; corner < 3; ++corner) EXPECT_EQ(triangle[corner].colour, colours[j]);
  }
}

TEST_F(ShapesEffectTest, WhenThePairMovesOnTheCloudDoesNotJumpAndKeepsItsColours) {
  Start();
  shapes_->Init();
  const std::vector<SceneVertex> first = DrawnAt(0.001f);
  for (const int cut : {1, 2, 3, 4, 5, 6}) {
    const float at = static_cast<float>(cut) / 7;
    const std::vector<SceneVertex> midway = DrawnAt(at - 0.5f / 7);
    const std::vector<SceneVertex> before = DrawnAt(at - 1e-6f);
    const std::vector<SceneVertex> after = DrawnAt(at + 1e-6f);
    // Far shapes move by rounding alone: the turn ends a hair short of two full turns.
    EXPECT_LT(LargestMove(before, after), 1e-4f * Reach(after)) << cut;
    EXPECT_GT(LargestMove(midway, after), 10.0f) << cut;  // the cloud does move
    for (size_t i = 0; i < after.size(); i += 97) ASSERT_EQ(after[i].colour, first[i].colour);
  }
  EXPECT_EQ(shapes_->frames, 19);
}

TEST_F(ShapesEffectTest, AtTheEndTheLastShapeIsShownWhole) {
  Start();
  shapes_->Init();
  // The last entry is the box again, with y offset 43 and scale 5: x and z within 0..50,
  // y within -215..-165.
  for (const SceneVertex& corner : DrawnAt(1.0f)) {
    ASSERT_TRUE(std::isfinite(corner.x) && std::isfinite(corner.y) && std::isfinite(corner.z));
    if (corner.u != 0 || corner.v != 0) continue;
    EXPECT_GE(corner.x, -0.01f);
    EXPECT_LE(corner.x, 50.01f);
    EXPECT_GE(corner.y, -215.01f);
    EXPECT_LE(corner.y, -164.99f);
    EXPECT_GE(corner.z, -0.01f);
  }
}

TEST_F(ShapesEffectTest, AMissingShapeIsLoggedAndGathersItsParticlesAtTheOrigin) {
  std::map<std::string, std::vector<uint8_t>> streams = ShapeStreams();
  streams.erase("torus");
  Start(streams);
  shapes_->Init();
  EXPECT_NE(LogSoFar().find("Error loading torus\n"), std::string::npos);
  DrawnAt(3.5f / 7);
  const std::vector<SceneVertex> torus = DrawnAt(4.0f / 7 + 1e-6f);
  for (size_t i = 0; i < torus.size(); i += 3) {
    ASSERT_NEAR(std::hypot(torus[i].x, torus[i].y, torus[i].z), 0, 1e-3) << i;
  }
}

TEST_F(ShapesEffectTest, AShapeThatCannotBeReadStopsTheDemo) {
  std::map<std::string, std::vector<uint8_t>> streams = ShapeStreams();
  streams["cone"] = {1, 2, 3};
  Start(streams);
  EXPECT_EQ(InitFailure(), "Error loading shape");
}

TEST_F(ShapesEffectTest, AFacePastItsFramesVerticesIsRefused) {
  std::map<std::string, std::vector<uint8_t>> streams = ShapeStreams();
  streams["teapot"] = ShapeBytes({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 3}});
  Start(streams);
  EXPECT_EQ(InitFailure(), "Error loading shape");
}

TEST_F(ShapesEffectTest, DrawsAdditivelyWithoutDepthBeforeTheCameraAndRestoresCullAndDepth) {
  Start();
  shapes_->Init();
  EXPECT_EQ(textures_->loads, (std::vector<std::string>{"ball.png 0 0"}));
  DrawnAt(0.3f);
  const RecordedCall draw = Draws()[0];
  EXPECT_EQ(draw.name, "DrawPrimitiveVB");
  EXPECT_EQ(draw.args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, kShapeVertices, 0}));
  EXPECT_EQ(draw.fvf, kSceneVertexFvf);
  int ball = -1;
  textures_->FindTexture("ball.png", &ball);
  EXPECT_EQ(textures_->bound.back(), ball);

  const std::vector<std::pair<DWORD, DWORD>> states = {
      {D3DRENDERSTATE_LIGHTING, 0},          {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},
      {D3DRENDERSTATE_ZENABLE, 0},           {D3DRENDERSTATE_ALPHABLENDENABLE, 1},
      {D3DRENDERSTATE_ALPHATESTENABLE, 0},   {D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE},
      {D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE}, {D3DRENDERSTATE_CULLMODE, D3DCULL_CCW},
      {D3DRENDERSTATE_ZENABLE, 1}};
  EXPECT_EQ(RenderStates(), states);

  const std::vector<RecordedCall> transforms = device_->Find("SetTransform");
  ASSERT_EQ(transforms.size(), 3u);
  EXPECT_EQ(transforms[0].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_VIEW));
  EXPECT_FLOAT_EQ(transforms[0].matrix.m[3][2], 60);  // the eye 60 units before the origin
  EXPECT_EQ(transforms[1].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_PROJECTION));
  EXPECT_FLOAT_EQ(transforms[1].matrix.m[0][0], 1);  // a quarter turn each way, aspect 1
  EXPECT_FLOAT_EQ(transforms[1].matrix.m[1][1], 1);
  EXPECT_EQ(transforms[2].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_WORLD));
}

TEST_F(ShapesEffectTest, TheShapesAreReadByTheFirstInitAndAgainOnlyAfterARelease) {
  std::map<std::string, std::vector<uint8_t>> streams = ShapeStreams();
  streams.erase("torus");
  Start(streams);
  const auto misses = [] {
    const std::string log = LogSoFar();
    size_t count = 0;
    for (size_t at = log.find("Error loading torus"); at != std::string::npos;
         at = log.find("Error loading torus", at + 1)) {
      ++count;
    }
    return count;
  };
  shapes_->Init();
  CShapesEffect other(demo_.get());
  other.Init();  // the library is shared: nothing is read
  EXPECT_EQ(misses(), 1u);
  shapes_->Release();
  other.Init();
  EXPECT_EQ(misses(), 2u);
}

TEST_F(ShapesEffectTest, TheSpriteIsGivenBackOnceWhateverReleasesIt) {
  Start();
  shapes_->Init();
  shapes_->Release();
  shapes_.reset();
  EXPECT_EQ(std::count(textures_->releasedNames.begin(), textures_->releasedNames.end(),
                       "ball.png"),
            1);
}

}  // namespace
