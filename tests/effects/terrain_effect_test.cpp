// The terrain flight: its camera on the shared flight path, the landscape raised from the
// heightmap with its light baked in, the sky dome's rings, the side strips, the states of a
// frame and the refusals of a heightmap that cannot be used.
#include "effects/terrain_effect.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "base/demo_error.h"
#include "demo/timeline.h"
#include "effects/terrain_flight.h"
#include "render/d3dx/d3dx_maths.h"
#include "support/effect_fixture.h"

namespace {

constexpr size_t kMapBytes = kHeightmapColumns * kHeightmapRows;

D3DVECTOR Blend(const D3DVECTOR& a, const D3DVECTOR& b, const D3DVECTOR& c) {
  return {(a.x + 4 * b.x + c.x) / 6, (a.y + 4 * b.y + c.y) / 6, (a.z + 4 * b.z + c.z) / 6};
}

void ExpectNear(const D3DVECTOR& actual, const D3DVECTOR& expected, float tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(FlightSpline, AtTheEndsBlendsTheFirstAndLastThreePointsAndReadsNoFurther) {
  // Only the first four points belong to the curve; a read of the fifth would show.
  const std::array<D3DVECTOR, 5> points = {
      {{0, 0, 0}, {6, 0, 12}, {12, 6, 0}, {18, 18, 6}, {1e6f, 1e6f, 1e6f}}};
  const std::span<const D3DVECTOR> curve(points.data(), 4);
  ExpectNear(FlightSpline(curve, 0.0f), Blend(points[0], points[1], points[2]), 1e-4f);
  ExpectNear(FlightSpline(curve, 1.0f), Blend(points[1], points[2], points[3]), 1e-4f);
  // Halfway along the one segment: (P0 + 23 P1 + 23 P2 + P3) / 48.
  ExpectNear(FlightSpline(curve, 0.5f), {(6 * 23 + 12 * 23 + 18) / 48.0f,
                                         (6 * 23 + 18) / 48.0f, (12 * 23 + 6) / 48.0f}, 1e-4f);
}

// A heightmap of zeros, with `raised` samples (row, column) set to 255.
std::vector<uint8_t> MapWith(std::initializer_list<std::pair<int, int>> raised = {}) {
  std::vector<uint8_t> map(kMapBytes, 0);
  for (const auto& [row, column] : raised) map[row * kHeightmapColumns + column] = 255;
  return map;
}

// Where a corner of the landscape lies and how its textures meet it.
struct Corner {
  float x, z, rampU, detailU, detailV;
};

void ExpectCorner(const HeightFieldVertex& vertex, const Corner& expected) {
  EXPECT_NEAR(vertex.x, expected.x, 1e-4f);
  EXPECT_NEAR(vertex.z, expected.z, 1e-4f);
  EXPECT_NEAR(vertex.rampU, expected.rampU, 1e-6f);
  EXPECT_NEAR(vertex.detailU, expected.detailU, 1e-5f);
  EXPECT_NEAR(vertex.detailV, expected.detailV, 1e-5f);
}

class TerrainEffectTest : public EffectFixture {
 protected:
  void TearDown() override {
    terrain_.reset();
    EffectFixture::TearDown();
  }

  // Records a terrain effect initialised on an archive holding `map` as "land1.raw".
  void StartWith(std::vector<uint8_t> map) {
    CompoundFileBuilder archive = DemoArchive();
    archive.AddStream("land1.raw", std::move(map));
    StartRecording(archive);
    terrain_ = std::make_unique<CTerrainEffect>(demo_.get());
    terrain_->Init();
  }

  // The frame at `t`'s draws: the landscape, the sky and the strips.
  std::vector<RecordedCall> RenderAt(float t) {
    device_->Clear();
    terrain_->Render(t);
    return Draws();
  }

  std::vector<HeightFieldVertex> LandscapeVertices() {
    return VerticesAs<HeightFieldVertex>(RenderAt(0.5f).at(0));
  }

  std::unique_ptr<CTerrainEffect> terrain_;
};

TEST_F(TerrainEffectTest, AFlatMapLiesAtZeroLitGrey179Everywhere) {
  StartWith(MapWith());
  const std::vector<HeightFieldVertex> vertices = LandscapeVertices();
  ASSERT_EQ(vertices.size(), kMapBytes);
  for (const HeightFieldVertex& vertex : vertices) {
    ASSERT_EQ(vertex.y, 0.0f);
    ASSERT_EQ(vertex.colour, 0xFFB3B3B3u);  // |(0, -1, 0) . L| = 0.7001
  }
  // The corners: the ramp's u falls and the detail repeats 8 times across.
  ExpectCorner(vertices.front(), {0, 0, 1, 8, 0});
  ExpectCorner(vertices.back(), {100, 100, 0, 0, 8});
  EXPECT_FLOAT_EQ(vertices.front().rampV, 1.01f);  // the ramp's foot at height 0
}

TEST_F(TerrainEffectTest, MapRowZeroLiesAtTheFarEdgeAndColumnZeroAtXZero) {
  StartWith(MapWith({{0, 0}}));
  const std::vector<HeightFieldVertex> vertices = LandscapeVertices();
  // Mesh row 63 is at z = 100 and takes map row 0.
  const int raised = (kHeightmapRows - 1) * kHeightmapColumns;
  EXPECT_NEAR(vertices[raised].y, 20.0f, 1e-3f);
  EXPECT_FLOAT_EQ(vertices[raised].z, 100.0f);
  EXPECT_EQ(vertices[raised].x, 0.0f);
  EXPECT_NEAR(vertices[raised].rampV, 0.01f, 1e-5f);  // the top of the ramp
  for (size_t index = 0; index < vertices.size(); ++index) {
    if (index != raised) {
      ASSERT_NEAR(vertices[index].y, 0.0f, 1e-3f) << index;
    }
  }
}

// Ground rising steadily along x: every inner vertex has the slope's normal.
TEST_F(TerrainEffectTest, TheLightIsTheSlopesCosineWithTheLight) {
  std::vector<uint8_t> map(kMapBytes);
  for (size_t index = 0; index < kMapBytes; ++index) map[index] = (index % kHeightmapColumns) * 4;
  StartWith(map);
  const float rise = 4.0f / 255.0f * 20.0f, run = 100.0f / 63.0f;
  const float cosine = (rise + run) / std::hypot(rise, run) / std::sqrt(2.04f);
  const auto expectedGrey = static_cast<uint32_t>(cosine * 255.0f + 0.5f);
  const std::vector<HeightFieldVertex> vertices = LandscapeVertices();
  EXPECT_EQ(vertices[20 * kHeightmapColumns + 30].colour, 0xFF000000u | expectedGrey * 0x010101u);
  EXPECT_NE(expectedGrey, 179u);
}

TEST_F(TerrainEffectTest, TheLandscapeIsTwoTrianglesPerGridSquare) {
  StartWith(MapWith());
  const CHeightField& landscape = terrain_->landscape;
  ASSERT_EQ(landscape.indices.size(), 6u * 63 * 63);
  const std::vector<uint16_t> firstSquare(landscape.indices.begin(), landscape.indices.begin() + 6);
  EXPECT_EQ(firstSquare, (std::vector<uint16_t>{0, 1, 65, 0, 65, 64}));
  const std::vector<uint16_t> lastSquare(landscape.indices.end() - 6, landscape.indices.end());
  EXPECT_EQ(lastSquare, (std::vector<uint16_t>{4030, 4031, 4095, 4030, 4095, 4094}));
}

TEST_F(TerrainEffectTest, TheCameraFliesTheKeysSplineFromStartToEnd) {
  StartWith(MapWith());
  for (const float t : {0.0f, 1.0f}) {
    RenderAt(t);
    const int first = t == 0 ? 0 : kFlightKeyCount - 3;
    const D3DVECTOR eye = Blend(kFlightEyeKeys[first], kFlightEyeKeys[first + 1],
                                kFlightEyeKeys[first + 2]);
    const D3DVECTOR target = Blend(kFlightTargetKeys[first], kFlightTargetKeys[first + 1],
                                   kFlightTargetKeys[first + 2]);
    const D3DVECTOR up{0, 1, 0};
    D3DXMATRIX expected;
    D3DXMatrixLookAtLH(&expected, &eye, &target, &up);
    const std::vector<RecordedCall> transforms = device_->Find("SetTransform");
    ASSERT_GE(transforms.size(), 2u);
    EXPECT_EQ(transforms[0].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_VIEW));
    // The eye lies a hundred units out and its target one unit from it, so the float
    // rounding of either shows in the translation more than in the turn.
    for (int row = 0; row < 4; ++row) {
      const float tolerance = row == 3 ? 3e-3f : 3e-4f;
      for (int column = 0; column < 4; ++column) {
        EXPECT_NEAR(transforms[0].matrix.m[row][column], expected.m[row][column], tolerance) << t;
      }
    }
    EXPECT_EQ(transforms[1].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_WORLD));
  }
}

TEST_F(TerrainEffectTest, TheSkyDomeHasItsRingsApexAndDegenerateTail) {
  StartWith(MapWith());
  const CSkyDome& sky = terrain_->sky;
  EXPECT_EQ(sky.vertexCount, 64u * 63 + 1);
  ASSERT_EQ(sky.indices.size(), 64u * (6 * 64 - 9));
  // Ring 0 gives one triangle per segment, the next 61 rings two, the last none.
  const size_t used = 64 * 3 + 61 * 64 * 6;
  for (size_t index = 0; index < sky.indices.size(); ++index) {
    ASSERT_LT(sky.indices[index], sky.vertexCount);
    if (index >= used) {
      ASSERT_EQ(sky.indices[index], 0) << index;
    }
  }
  const std::vector<SceneVertex> vertices = VerticesAs<SceneVertex>(RenderAt(0.5f).at(1));
  ASSERT_EQ(vertices.size(), sky.vertexCount);
  const SceneVertex& apex = vertices[0];
  EXPECT_FLOAT_EQ(apex.x, 42.5f);
  EXPECT_FLOAT_EQ(apex.y, 50.0f);
  EXPECT_FLOAT_EQ(apex.z, 42.5f);
  EXPECT_EQ(apex.u, 0.0f);
  EXPECT_EQ(apex.v, 0.0f);
  for (int ring = 0; ring < 63; ++ring) {
    const SceneVertex& start = vertices[1 + ring * 64];
    const SceneVertex& end = vertices[64 + ring * 64];
    EXPECT_NEAR(end.x, start.x, 1e-3f);
    EXPECT_NEAR(end.z, start.z, 1e-3f);
    EXPECT_EQ(start.colour, 0xFFFFFFFFu);
    EXPECT_NEAR(start.u, (start.x - 42.5f) / 500.0f, 1e-6f);
    EXPECT_NEAR(start.v, (start.z - 42.5f) / 500.0f, 1e-6f);
  }
}

TEST_F(TerrainEffectTest, ASmallDomesIndicesJoinTheApexAndTheRings) {
  StartRecording();
  CSkyDome dome;
  ASSERT_EQ(dome.Build({0, 0, 0}, 1, 1, 4, 4), D3D_OK);
  EXPECT_EQ(dome.vertexCount, 13u);
  const std::vector<uint16_t> expected = {
      2, 1, 0, 3, 2, 0, 4, 3, 0, 0, 4, 0,                    // ring 0 to the apex
      5, 1, 2, 2, 6, 5, 6, 2, 3, 3, 7, 6, 7, 3, 4, 4, 8, 7,  // ring 1 to ring 0
      8, 4, 5, 5, 9, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // then the tail
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(dome.indices, expected);
}

TEST_F(TerrainEffectTest, TheStripsRunDownBothSidesAndScrollWithTheFlight) {
  StartWith(MapWith());
  const std::vector<RecordedCall> draws = RenderAt(0.25f);
  ASSERT_EQ(draws.size(), 3u);
  ASSERT_EQ(draws[2].name, "DrawPrimitive");
  EXPECT_EQ(draws[2].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0x104, 12, 0}));
  const auto strips = VerticesAs<CTerrainEffect::StripVertex>(draws[2]);
  ASSERT_EQ(strips.size(), 12u);
  // 0.12 x 640 = 76.8: 76 pixels wide.
  const float x[12] = {0, 76, 76, 0, 76, 0, 564, 640, 640, 564, 640, 564};
  const float y[12] = {0, 0, 480, 0, 480, 480, 0, 0, 480, 0, 480, 480};
  const float u[12] = {0.25f, 0.25f, 0.95f, 0.25f, 0.95f, 0.95f,
                       0.95f, 0.95f, 0.25f, 0.95f, 0.25f, 0.25f};
  const float v[12] = {0.95f, 0.05f, 0.05f, 0.95f, 0.05f, 0.95f,
                       0.05f, 0.95f, 0.95f, 0.05f, 0.95f, 0.05f};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(strips[i].x, x[i]) << i;
    EXPECT_EQ(strips[i].y, y[i]) << i;
    EXPECT_EQ(strips[i].z, 0.0f);
    EXPECT_EQ(strips[i].rhw, 1.0f);
    EXPECT_FLOAT_EQ(strips[i].u, u[i]) << i;
    EXPECT_FLOAT_EQ(strips[i].v, v[i]) << i;
  }
}

TEST_F(TerrainEffectTest, AResizeLaysTheStripsOutForTheNewScreenAtTheStart) {
  StartWith(MapWith());
  demo_->OnResize(800, 600);
  terrain_->Resize();
  EXPECT_EQ(terrain_->strips[1].x, 96.0f);
  EXPECT_EQ(terrain_->strips[2].y, 600.0f);
  EXPECT_EQ(terrain_->strips[6].x, 704.0f);
  EXPECT_EQ(terrain_->strips[0].u, 0.0f);
  EXPECT_FLOAT_EQ(terrain_->strips[2].u, 0.7f);
}

TEST_F(TerrainEffectTest, AFrameDrawsLandscapeSkyAndStripsEachInItsStates) {
  StartWith(MapWith());
  const std::vector<RecordedCall> draws = RenderAt(0.5f);
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].name, "DrawIndexedPrimitiveVB");
  EXPECT_EQ(draws[0].fvf, kHeightFieldVertexFvf);
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, 4096, 23814, 0}));
  EXPECT_EQ(draws[1].name, "DrawIndexedPrimitiveVB");
  EXPECT_EQ(draws[1].fvf, kSceneVertexFvf);
  EXPECT_EQ(draws[1].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, 4033, 24000, 0}));

  // The landscape: the ramp modulated by the light, times the detail on coordinate set 1.
  EXPECT_EQ(StageStateAtDraw(0, 0, D3DTSS_COLOROP), D3DTOP_MODULATE);
  EXPECT_EQ(StageStateAtDraw(0, 0, D3DTSS_COLORARG2), D3DTA_DIFFUSE);
  EXPECT_EQ(StageStateAtDraw(0, 1, D3DTSS_COLOROP), D3DTOP_MODULATE);
  EXPECT_EQ(StageStateAtDraw(0, 1, D3DTSS_COLORARG2), D3DTA_CURRENT);
  EXPECT_EQ(StageStateAtDraw(0, 1, D3DTSS_TEXCOORDINDEX), 1u);
  EXPECT_EQ(StageStateAtDraw(0, 2, D3DTSS_COLOROP), D3DTOP_DISABLE);
  EXPECT_EQ(RenderStateAtDraw(0, D3DRENDERSTATE_CULLMODE), D3DCULL_NONE);
  EXPECT_EQ(RenderStateAtDraw(0, D3DRENDERSTATE_ZWRITEENABLE), 1u);
  EXPECT_EQ(RenderStateAtDraw(0, D3DRENDERSTATE_FOGENABLE), 0u);
  EXPECT_EQ(RenderStateAtDraw(0, D3DRENDERSTATE_FOGEND), std::bit_cast<DWORD>(30.0f));

  // The sky: one stage, its clouds turned by 12.234234 t radians.
  EXPECT_EQ(StageStateAtDraw(1, 1, D3DTSS_COLOROP), D3DTOP_DISABLE);
  EXPECT_EQ(StageStateAtDraw(1, 0, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_COUNT2);
  const std::vector<RecordedCall> transforms = device_->Find("SetTransform");
  ASSERT_EQ(transforms.size(), 3u);
  EXPECT_EQ(transforms[2].args[0], static_cast<DWORD>(D3DTRANSFORMSTATE_TEXTURE0));
  const float angle = 12.234234f * 0.5f;
  EXPECT_FLOAT_EQ(transforms[2].matrix.m[0][0], std::cos(angle));
  EXPECT_FLOAT_EQ(transforms[2].matrix.m[0][1], std::sin(angle));
  EXPECT_FLOAT_EQ(transforms[2].matrix.m[1][0], -std::sin(angle));
  EXPECT_EQ(transforms[2].matrix.m[2][2], 1.0f);

  // The strips: blended by the picture's alpha over everything.
  EXPECT_EQ(StageStateAtDraw(2, 0, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_DISABLE);
  EXPECT_EQ(StageStateAtDraw(2, 0, D3DTSS_ALPHAOP), D3DTOP_MODULATE);
  EXPECT_EQ(StageStateAtDraw(2, 0, D3DTSS_ALPHAARG1), D3DTA_TEXTURE);
  EXPECT_EQ(RenderStateAtDraw(2, D3DRENDERSTATE_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(RenderStateAtDraw(2, D3DRENDERSTATE_SRCBLEND), D3DBLEND_SRCALPHA);
  EXPECT_EQ(RenderStateAtDraw(2, D3DRENDERSTATE_DESTBLEND), D3DBLEND_INVSRCALPHA);
  EXPECT_EQ(RenderStateAtDraw(2, D3DRENDERSTATE_ZENABLE), 0u);
  EXPECT_EQ(RenderStateAtDraw(2, D3DRENDERSTATE_CULLMODE), D3DCULL_NONE);

  // Afterwards depth is back on, culling clockwise, blending still on and lighting off.
  const auto stateNow = [&](D3DRENDERSTATETYPE state) {
    DWORD value = 0;
    device_->GetRenderState(state, &value);
    return value;
  };
  EXPECT_EQ(stateNow(D3DRENDERSTATE_ZENABLE), 1u);
  EXPECT_EQ(stateNow(D3DRENDERSTATE_CULLMODE), D3DCULL_CW);
  EXPECT_EQ(stateNow(D3DRENDERSTATE_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(stateNow(D3DRENDERSTATE_LIGHTING), 0u);

  int ramp = -1, clouds = -1, strip = -1;
  textures_->FindTexture("terrain.png", &ramp);
  textures_->FindTexture("clouds.png", &clouds);
  textures_->FindTexture("ditp.png", &strip);
  EXPECT_EQ(textures_->bound, (std::vector<int>{ramp, clouds, strip}));
  EXPECT_EQ(terrain_->frames, 1);
}

TEST_F(TerrainEffectTest, LoadsItsTexturesAndReleasesThemAndItsBuffersOnce) {
  StartWith(MapWith());
  EXPECT_EQ(textures_->loads, (std::vector<std::string>{"terrain.png 0 0", "detail.png 0 0",
                                                        "clouds.png 0 0", "ditp.png 10 1"}));
  EXPECT_EQ(terrain_->eyes.size(), 8u);
  EXPECT_EQ(terrain_->targets.size(), 8u);
  terrain_->Release();
  EXPECT_EQ(terrain_->landscape.vertexBuffer, nullptr);
  EXPECT_EQ(terrain_->landscape.vertexCount, 0u);
  EXPECT_TRUE(terrain_->landscape.indices.empty());
  EXPECT_EQ(terrain_->sky.vertexBuffer, nullptr);
  EXPECT_TRUE(terrain_->sky.indices.empty());
  terrain_.reset();
  EXPECT_EQ(textures_->releasedNames,
            (std::vector<std::string>{"terrain.png", "detail.png", "clouds.png", "ditp.png"}));
}

class TerrainRefusalTest : public EffectFixture {
 protected:
  // The message Init fails with on an archive whose "land1.raw" holds `map` (none when
  // `map` is null).
  std::string InitFailure(const std::vector<uint8_t>* map) {
    CompoundFileBuilder archive = DemoArchive();
    if (map != nullptr) archive.AddStream("land1.raw", *map);
    StartRecording(archive);
    CTerrainEffect terrain(demo_.get());
    try {
      terrain.Init();
    } catch (const demoError& error) {
      return error.message();
    }
    return "";
  }
};

TEST_F(TerrainRefusalTest, AMissingHeightmapIsFatal) {
  const std::string message = InitFailure(nullptr);
  EXPECT_TRUE(message.starts_with("Error loading terrain.: ")) << message;
  EXPECT_GT(message.size(), std::string("Error loading terrain.: ").size());
  EXPECT_TRUE(textures_->loads.empty());
}

TEST_F(TerrainRefusalTest, AHeightmapOfAnyOtherLengthIsRefusedBeforeItIsRead) {
  const std::vector<uint8_t> shortMap(kMapBytes - 1, 0), longMap(kMapBytes + 64, 0);
  EXPECT_EQ(InitFailure(&shortMap), "Error loading terrain.: the entry holds 4095 bytes, not 4096");
  EXPECT_EQ(InitFailure(&longMap), "Error loading terrain.: the entry holds 4160 bytes, not 4096");
}

// On llvmpipe with no textures loaded (every stage reads white): the landscape shows its
// baked grey below the horizon, the untextured dome white above it, and the strips white.
class TerrainPictureTest : public DemoFixture {};

TEST_F(TerrainPictureTest, AFlatLandscapeUnderTheDomeBetweenTheStrips) {
  CompoundFileBuilder archive = DemoArchive();
  archive.AddStream("land1.raw", MapWith());
  WriteArchive(archive);
  BuildDemo(
      [](CDemo& demo) { demo.AddPart(std::make_unique<CTerrainEffect>(&demo), "terrain", 0, 10); });
  DrawFrameAt(kTimeOffset + 0.01);
  std::vector<uint32_t> pixels;
  DWORD width = 0, height = 0;
  ASSERT_EQ(demo_->context()->ReadRenderTarget(pixels, &width, &height), S_OK);
  const auto at = [&](DWORD x, DWORD y) { return pixels[size_t{y} * width + x] & 0xFFFFFFu; };
  EXPECT_EQ(at(320, 400), 0xB3B3B3u);  // ground
  EXPECT_EQ(at(320, 60), 0xFFFFFFu);   // sky
  EXPECT_EQ(at(30, 400), 0xFFFFFFu);   // the left strip over the ground
  EXPECT_EQ(at(620, 400), 0xFFFFFFu);  // and the right one
  EXPECT_EQ(at(320, 10), 0u);          // the letterbox stays black
}

}  // namespace
