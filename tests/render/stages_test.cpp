// The texture stage cascade, texture coordinates (orientation, the texture transform)
// and sampling (addressing, filtering).
#include <gtest/gtest.h>

#include "render/pipeline_fixture.h"

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu,
                   kWhite = 0xFFFFFFFFu;
constexpr ScreenRect kWholeTarget{0, 0, 64, 48};

class StagesTest : public PipelineFixture {
 protected:
  // One texel of `color`.
  IDirectDrawSurface7* Solid(D3DCOLOR color) { return MakeTexture(1, 1, {color}); }
  // Red and green side by side.
  IDirectDrawSurface7* RedGreen() { return MakeTexture(2, 1, {kRed, kGreen}); }
  void Bind(DWORD stage, IDirectDrawSurface7* texture) {
    ASSERT_EQ(device_->SetTexture(stage, texture), D3D_OK);
  }
  // The colour at the centre after drawing the whole target with `diffuse`.
  uint32_t Drawn(D3DCOLOR diffuse, const UvRect& uv = {}) {
    EXPECT_EQ(DrawScreenRect(kWholeTarget, diffuse, 0.5f, uv), D3D_OK);
    return ReadPicture().At(32, 24);
  }
  void SetColor(DWORD stage, DWORD op, DWORD arg1, DWORD arg2) {
    SetStageState(stage, D3DTSS_COLOROP, op);
    SetStageState(stage, D3DTSS_COLORARG1, arg1);
    SetStageState(stage, D3DTSS_COLORARG2, arg2);
  }
  void SetAlpha(DWORD stage, DWORD op, DWORD arg1, DWORD arg2) {
    SetStageState(stage, D3DTSS_ALPHAOP, op);
    SetStageState(stage, D3DTSS_ALPHAARG1, arg1);
    SetStageState(stage, D3DTSS_ALPHAARG2, arg2);
  }
};

// v = 0 is the picture's top row, u = 0 its left column.
TEST_F(StagesTest, TexturesAppearUpright) {
  Bind(0, MakeTexture(2, 2, {kRed, kGreen, kBlue, kWhite}));
  ASSERT_EQ(DrawScreenRect(kWholeTarget, kWhite), D3D_OK);
  const Picture picture = ReadPicture();
  EXPECT_EQ(picture.At(5, 5), kRed);
  EXPECT_EQ(picture.At(60, 5), kGreen);
  EXPECT_EQ(picture.At(5, 40), kBlue);
  EXPECT_EQ(picture.At(60, 40), kWhite);
}

TEST_F(StagesTest, TheDefaultStageModulatesTheTextureWithTheDiffuseColour) {
  Bind(0, Solid(0xFFFF8040u));
  EXPECT_EQ(Drawn(0xFF808080u), 0xFF804020u);
}

TEST_F(StagesTest, SelectsEitherArgument) {
  Bind(0, Solid(kRed));
  SetColor(0, D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTA_DIFFUSE);
  EXPECT_EQ(Drawn(kBlue), kRed);
  SetColor(0, D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_DIFFUSE);
  EXPECT_EQ(Drawn(kBlue), kBlue);
}

TEST_F(StagesTest, ADisabledFirstStageLeavesTheDiffuseColour) {
  Bind(0, Solid(kRed));
  SetStageState(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
  EXPECT_EQ(Drawn(0x80123456u), 0x80123456u);
}

TEST_F(StagesTest, AddSaturatesAndModulate2xDoubles) {
  Bind(0, Solid(0xFF40C080u));
  SetColor(0, D3DTOP_ADD, D3DTA_TEXTURE, D3DTA_DIFFUSE);
  EXPECT_EQ(Drawn(0xFF2060A0u), 0xFF60FFFFu);
  SetColor(0, D3DTOP_MODULATE2X, D3DTA_TEXTURE, D3DTA_DIFFUSE);
  EXPECT_TRUE(ColorsNear(Drawn(0xFF808080u), 0xFF40C180u, 1));
}

TEST_F(StagesTest, WithoutTextureOrDiffuseEachReadsOpaqueWhite) {
  // Modulating an unbound texture leaves the diffuse colour.
  EXPECT_EQ(Drawn(0xFF336699u), 0xFF336699u);
  // A vertex without a diffuse colour (XYZRHW | TEX1) is white: the texture shows as is.
  Bind(0, Solid(0xFF336699u));
  struct {
    float x, y, z, rhw, u, v;
  } strip[4] = {{0, 0, 0.5f, 1, 0, 0},
                {64, 0, 0.5f, 1, 1, 0},
                {0, 48, 0.5f, 1, 0, 1},
                {64, 48, 0.5f, 1, 1, 1}};
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0x104, strip, 4, 0), D3D_OK);
  EXPECT_EQ(ReadPicture().At(32, 24), 0xFF336699u);
}

// Stage 1 adds its texture to what stage 0 made; a disabled stage 1 ends the cascade
// however stage 2 is set.
TEST_F(StagesTest, LaterStagesWorkOnTheCurrentColourUntilOneIsDisabled) {
  Bind(0, Solid(0xFF400000u));
  Bind(1, Solid(0xFF004000u));
  Bind(2, Solid(0xFF000040u));
  SetColor(0, D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTA_DIFFUSE);
  SetColor(1, D3DTOP_ADD, D3DTA_CURRENT, D3DTA_TEXTURE);
  SetColor(2, D3DTOP_ADD, D3DTA_TEXTURE, D3DTA_CURRENT);
  EXPECT_EQ(Drawn(kWhite), 0xFF404040u);
  SetStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  EXPECT_EQ(Drawn(kWhite), 0xFF400000u);
}

TEST_F(StagesTest, AlphaHasItsOwnCascade) {
  Bind(0, Solid(0x80FFFFFFu));
  // Default: alpha = the texture's.
  EXPECT_EQ(Drawn(0x40FF0000u) >> 24, 0x80u);
  SetAlpha(0, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE);
  EXPECT_TRUE(ColorsNear(Drawn(0x80FF0000u), 0x40FF0000u, 1));
  // A stage whose alpha is disabled while its colour goes on keeps the alpha it got.
  Bind(1, Solid(0x10000000u));
  SetColor(1, D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_CURRENT);
  SetStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
  EXPECT_TRUE(ColorsNear(Drawn(0x80FF0000u), 0x40FF0000u, 1));
}

// With D3DTTFF_COUNT2, (u, v, 1, 0) goes through the stage's texture matrix.
TEST_F(StagesTest, TheTextureTransformMovesTransformedVerticesCoordinates) {
  Bind(0, MakeTexture(2, 2, {kRed, kGreen, kBlue, kWhite}));
  const UvRect bottomLeft{0.0f, 0.5f, 0.5f, 1.0f};
  ASSERT_EQ(DrawSceneRect({-1, 1, 1, -1}, kWhite, 0.5f, bottomLeft), D3D_OK);
  EXPECT_EQ(ReadPicture().At(32, 24), kBlue);

  // u' = u * m11 + v * m21 + m31 = v and v' = u: the bottom-left quarter's coordinates
  // swapped read the top-right texel.
  const D3DMATRIX swap{{{0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, &swap), D3D_OK);
  SetStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  ASSERT_EQ(DrawSceneRect({-1, 1, 1, -1}, kWhite, 0.5f, bottomLeft), D3D_OK);
  EXPECT_EQ(ReadPicture().At(32, 24), kGreen);

  // The third row translates: u + 0.5 moves the bottom-left quarter to the right.
  const D3DMATRIX shift{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0.5f, 0, 1, 0}, {0, 0, 0, 1}}};
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, &shift), D3D_OK);
  ASSERT_EQ(DrawSceneRect({-1, 1, 1, -1}, kWhite, 0.5f, bottomLeft), D3D_OK);
  EXPECT_EQ(ReadPicture().At(32, 24), kWhite);

  // Pre-transformed vertices carry their final coordinates.
  EXPECT_EQ(Drawn(kWhite, bottomLeft), kBlue);
  SetStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  ASSERT_EQ(DrawSceneRect({-1, 1, 1, -1}, kWhite, 0.5f, bottomLeft), D3D_OK);
  EXPECT_EQ(ReadPicture().At(32, 24), kBlue);
}

struct AddressCase {
  const char* name;
  DWORD mode;
  D3DCOLOR fromOneToOneAndAHalf, fromOneAndAHalfToTwo;
};

class AddressingTest : public StagesTest, public testing::WithParamInterface<AddressCase> {};

TEST_P(AddressingTest, CoordinatesPastOneFollowTheMode) {
  Bind(0, RedGreen());
  SetStageState(0, D3DTSS_ADDRESS, GetParam().mode);
  EXPECT_EQ(Drawn(kWhite, {1.0f, 0.0f, 1.5f, 1.0f}), GetParam().fromOneToOneAndAHalf);
  EXPECT_EQ(Drawn(kWhite, {1.5f, 0.0f, 2.0f, 1.0f}), GetParam().fromOneAndAHalfToTwo);
}

INSTANTIATE_TEST_SUITE_P(Modes, AddressingTest,
                         testing::Values(AddressCase{"Wrap", D3DTADDRESS_WRAP, kRed, kGreen},
                                         AddressCase{"Mirror", D3DTADDRESS_MIRROR, kGreen, kRed},
                                         AddressCase{"Clamp", D3DTADDRESS_CLAMP, kGreen, kGreen}),
                         [](const testing::TestParamInfo<AddressCase>& tested) {
                           return tested.param.name;
                         });

TEST_F(StagesTest, AddressSetsBothDirectionsAndEachCanBeSetAlone) {
  Bind(0, MakeTexture(2, 2, {kRed, kGreen, kBlue, kWhite}));
  SetStageState(0, D3DTSS_ADDRESS, D3DTADDRESS_CLAMP);
  DWORD value = 0;
  ASSERT_EQ(device_->GetTextureStageState(0, D3DTSS_ADDRESSV, &value), D3D_OK);
  EXPECT_EQ(value, D3DTADDRESS_CLAMP);
  // u past 1 clamps to the right column, v past 1 wraps to the top row.
  SetStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP);
  EXPECT_EQ(Drawn(kWhite, {1.2f, 1.2f, 1.3f, 1.3f}), kGreen);
}

TEST_F(StagesTest, LinearFilteringBlendsNeighbouringTexels) {
  Bind(0, RedGreen());
  const uint32_t point = Drawn(kWhite);
  EXPECT_TRUE(point == kRed || point == kGreen);
  SetStageState(0, D3DTSS_MAGFILTER, D3DTFG_LINEAR);
  // Halfway between the two texel centres.
  EXPECT_TRUE(ColorsNear(Drawn(kWhite), 0xFF808000u, 2));
  SetStageState(0, D3DTSS_MAGFILTER, D3DTFG_ANISOTROPIC);
  EXPECT_TRUE(ColorsNear(Drawn(kWhite), 0xFF808000u, 2));
}

}  // namespace
