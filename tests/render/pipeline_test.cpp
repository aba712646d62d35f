// Transformed vertices through World x View x Projection, and the fixed-function state
// after the stages: depth, blending, the alpha test and primitive types.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/d3dx/d3dx_maths.h"
#include "render/pipeline_fixture.h"

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kBlack = 0xFF000000u;

class PipelineTest : public PipelineFixture {
 protected:
  // A perspective camera at the origin looking along +z, 90 degrees each way, seeing
  // from z = 1 to z = 10.
  void UsePerspective() {
    D3DMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 2.0f,
                               float{kTargetHeight} / kTargetWidth, 1.0f, 10.0f);
    ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection), D3D_OK);
  }

  // A square of side 2 * half facing the camera at depth z, centred on (x, y).
  HRESULT DrawSquare(float x, float y, float z, float half, D3DCOLOR color) {
    const SceneVertex strip[4] = {{x - half, y + half, z, color, 0, 0},
                                  {x + half, y + half, z, color, 0, 0},
                                  {x - half, y - half, z, color, 0, 0},
                                  {x + half, y - half, z, color, 0, 0}};
    return device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, kSceneFvf, strip, 4, 0);
  }
};

TEST_F(PipelineTest, PositiveViewSpaceYIsTheTopOfThePicture) {
  UsePerspective();
  // Up and to the right of the line of sight.
  ASSERT_EQ(DrawSquare(1.5f, 1.5f, 5.0f, 0.5f, kRed), D3D_OK);
  const Picture picture = ReadPicture();
  ASSERT_GT(Count(picture, kRed), 0u);
  for (DWORD y = 0; y < kTargetHeight; ++y) {
    for (DWORD x = 0; x < kTargetWidth; ++x) {
      if (picture.At(x, y) != kRed) continue;
      EXPECT_LT(y, kTargetHeight / 2) << x << "," << y;
      EXPECT_GE(x, kTargetWidth / 2) << x << "," << y;
    }
  }
}

TEST_F(PipelineTest, MatricesApplyToRowVectorsWorldFirst) {
  // World moves right by 0.5, view scales by 2: a point at x = 0 lands at clip x = 1
  // (the right edge); the other order would give 0.5.
  D3DMATRIX world, view;
  D3DXMatrixTranslation(&world, 0.5f, 0.0f, 0.0f);
  D3DXMatrixScaling(&view, 2.0f, 2.0f, 1.0f);
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world), D3D_OK);
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &view), D3D_OK);
  // In clip space the square spans x from 2 * (-0.5 + 0.5) = 0 to 2 * (0 + 0.5) = 1.
  ASSERT_EQ(DrawSquare(-0.25f, 0.0f, 0.5f, 0.25f, kRed), D3D_OK);
  const Picture picture = ReadPicture();
  EXPECT_EQ(picture.At(kTargetWidth / 2 - 2, kTargetHeight / 2), kBlack);
  EXPECT_EQ(picture.At(kTargetWidth / 2 + 2, kTargetHeight / 2), kRed);
  EXPECT_EQ(picture.At(kTargetWidth - 1, kTargetHeight / 2), kRed);
}

// D3D keeps clip depths 0 <= z <= w: what lies before the near plane or past the far
// plane is clipped away.
TEST_F(PipelineTest, ClipsAtTheNearAndFarPlanes) {
  UsePerspective();
  ASSERT_EQ(DrawSquare(0, 0, 0.8f, 0.1f, kRed), D3D_OK);  // before the near plane
  EXPECT_EQ(Count(ReadPicture(), kRed), 0u);
  ASSERT_EQ(DrawSquare(0, 0, 10.5f, 1.0f, kRed), D3D_OK);  // past the far plane
  EXPECT_EQ(Count(ReadPicture(), kRed), 0u);
  ASSERT_EQ(DrawSquare(0, 0, 9.5f, 1.0f, kRed), D3D_OK);
  EXPECT_GT(Count(ReadPicture(), kRed), 0u);
}

// Clip z / w and a pre-transformed z are both the depth buffer's value.
TEST_F(PipelineTest, TransformedAndPreTransformedDepthsShareOneScale) {
  ASSERT_EQ(DrawScreenRect({0, 0, kTargetWidth, kTargetHeight}, kBlue, 0.5f), D3D_OK);
  ASSERT_EQ(DrawSceneRect({-1, 1, 0, -1}, kRed, 0.4f), D3D_OK);  // left half, in front
  ASSERT_EQ(DrawSceneRect({0, 1, 1, -1}, kRed, 0.6f), D3D_OK);   // right half, behind
  const Picture picture = ReadPicture();
  EXPECT_EQ(picture.At(10, 20), kRed);
  EXPECT_EQ(picture.At(50, 20), kBlue);
}

struct DepthCase {
  const char* name;
  DWORD zEnable, zWrite, zFunc;
  D3DCOLOR expected;  // a near red square drawn first, then a far blue one
};

class DepthTest : public PipelineFixture, public testing::WithParamInterface<DepthCase> {};

TEST_P(DepthTest, DecidesWhatTheLaterFartherDrawLeaves) {
  SetRenderState(D3DRENDERSTATE_ZENABLE, GetParam().zEnable);
  SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, GetParam().zWrite);
  SetRenderState(D3DRENDERSTATE_ZFUNC, GetParam().zFunc);
  ASSERT_EQ(DrawScreenRect({0, 0, kTargetWidth, kTargetHeight}, kRed, 0.25f), D3D_OK);
  ASSERT_EQ(DrawScreenRect({0, 0, kTargetWidth, kTargetHeight}, kBlue, 0.75f), D3D_OK);
  EXPECT_EQ(ReadPicture().At(30, 20), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(States, DepthTest,
                         testing::Values(DepthCase{"LessEqual", 1, 1, D3DCMP_LESSEQUAL, kRed},
                                         DepthCase{"NoWrites", 1, 0, D3DCMP_LESSEQUAL, kBlue},
                                         DepthCase{"NoTest", 0, 1, D3DCMP_LESSEQUAL, kBlue},
                                         DepthCase{"Less", 1, 1, D3DCMP_LESS, kRed},
                                         DepthCase{"NotEqual", 1, 1, D3DCMP_NOTEQUAL, kBlue},
                                         DepthCase{"Never", 1, 1, D3DCMP_NEVER, kBlack},
                                         DepthCase{"Always", 1, 1, D3DCMP_ALWAYS, kBlue},
                                         DepthCase{"Equal", 1, 1, D3DCMP_EQUAL, kBlack}),
                         [](const testing::TestParamInfo<DepthCase>& tested) {
                           return tested.param.name;
                         });

struct BlendCase {
  const char* name;
  DWORD source, destination;
  D3DCOLOR expected;  // half-transparent red (alpha 0x80) over 0xFF2040C0
};

class BlendTest : public PipelineFixture, public testing::WithParamInterface<BlendCase> {};

TEST_P(BlendTest, CombinesWithWhatIsThere) {
  ClearAll(0xFF2040C0u);
  SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  SetRenderState(D3DRENDERSTATE_SRCBLEND, GetParam().source);
  SetRenderState(D3DRENDERSTATE_DESTBLEND, GetParam().destination);
  SetStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);  // the diffuse alpha
  ASSERT_EQ(DrawScreenRect({0, 0, kTargetWidth, kTargetHeight}, 0x80FF0000u), D3D_OK);
  const uint32_t pixel = ReadPicture().At(30, 20);
  EXPECT_TRUE(ColorsNear(pixel, GetParam().expected, 1)) << std::hex << pixel;
}

INSTANTIATE_TEST_SUITE_P(
    Factors, BlendTest,
    testing::Values(BlendCase{"Alpha", D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, 0xBF902060u},
                    BlendCase{"Additive", D3DBLEND_ONE, D3DBLEND_ONE, 0xFFFF40C0u},
                    BlendCase{"AlphaAdditive", D3DBLEND_SRCALPHA, D3DBLEND_ONE, 0xFFA040C0u},
                    BlendCase{"Multiply", D3DBLEND_DESTCOLOR, D3DBLEND_ZERO, 0x80200000u},
                    BlendCase{"Replace", D3DBLEND_ONE, D3DBLEND_ZERO, 0x80FF0000u},
                    BlendCase{"BothSourceAlpha", 12, D3DBLEND_ZERO, 0xBF902060u},
                    BlendCase{"InverseDestination", D3DBLEND_INVDESTCOLOR, D3DBLEND_ZERO,
                              0x00DF0000u}),
    [](const testing::TestParamInfo<BlendCase>& tested) { return tested.param.name; });

TEST_F(PipelineTest, AlphaTestDropsFragmentsThatFailTheReference) {
  SetStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 1);
  SetRenderState(D3DRENDERSTATE_ALPHAREF, 0x80);
  const auto drawnWith = [this](DWORD function, D3DCOLOR color) {
    ClearAll(kBlack);
    SetRenderState(D3DRENDERSTATE_ALPHAFUNC, function);
    EXPECT_EQ(DrawScreenRect({0, 0, kTargetWidth, kTargetHeight}, color), D3D_OK);
    return ReadPicture().At(30, 20) == color;
  };
  EXPECT_FALSE(drawnWith(D3DCMP_GREATER, 0x80FF0000u));
  EXPECT_TRUE(drawnWith(D3DCMP_GREATER, 0x81FF0000u));
  EXPECT_TRUE(drawnWith(D3DCMP_GREATEREQUAL, 0x80FF0000u));
  EXPECT_FALSE(drawnWith(D3DCMP_LESS, 0x80FF0000u));
  EXPECT_TRUE(drawnWith(D3DCMP_EQUAL, 0x80FF0000u));
  EXPECT_FALSE(drawnWith(D3DCMP_NEVER, 0xFFFF0000u));
  SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  EXPECT_TRUE(drawnWith(D3DCMP_NEVER, 0x00FF0000u));
}

TEST_F(PipelineTest, LineStripsAndIndexedListsDraw) {
  const ScreenVertex line[3] = {
      {2, 10, 0.5f, 1, kRed, 0, 0}, {60, 10, 0.5f, 1, kRed, 0, 0}, {60, 40, 0.5f, 1, kRed, 0, 0}};
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_LINESTRIP, kScreenFvf, line, 3, 0), D3D_OK);
  Picture picture = ReadPicture();
  EXPECT_EQ(picture.At(30, 10), kRed);
  EXPECT_EQ(picture.At(60, 25), kRed);
  EXPECT_EQ(picture.At(30, 25), kBlack);

  ClearAll(kBlack);
  const ScreenVertex corners[4] = {{0, 0, 0.5f, 1, kBlue, 0, 0},
                                   {32, 0, 0.5f, 1, kBlue, 0, 0},
                                   {0, 24, 0.5f, 1, kBlue, 0, 0},
                                   {32, 24, 0.5f, 1, kBlue, 0, 0}};
  const uint16_t quad[6] = {0, 1, 2, 2, 1, 3};
  ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kScreenFvf, corners, 4, quad, 6, 0),
            D3D_OK);
  picture = ReadPicture();
  EXPECT_EQ(Count(picture, kBlue), 32u * 24u);
  EXPECT_EQ(picture.At(31, 23), kBlue);
}

}  // namespace
