// The back buffer as GetBackBuffer hands it out, and the stretched copy from it into a
// texture: the picture must arrive upright, with the top of the source at texture row 0.
#include <algorithm>

#include <gtest/gtest.h>

#include "render/texture_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu,
                   kWhite = 0xFFFFFFFFu, kYellow = 0xFFFFFF00u, kBlack = 0xFF000000u;

class BackBufferCopy : public TextureFixture {
 protected:
  void SetUp() override {
    TextureFixture::SetUp();
    ASSERT_EQ(context_->GetBackBuffer(0, &backBuffer_), DD_OK);
  }
  void TearDown() override {
    SafeRelease(backBuffer_);
    TextureFixture::TearDown();
  }

  // Four bands of 120 rows, red, green, blue and white from the top, with a yellow strip
  // over columns 0 to 15.
  void PaintBands() {
    const uint32_t bands[] = {kRed, kGreen, kBlue, kWhite};
    for (DWORD band = 0; band < 4; ++band) {
      SetViewport(0, band * 120, kWidth, 120);
      ClearTo(bands[band]);
    }
    SetViewport(0, 0, 16, kHeight);
    ClearTo(kYellow);
  }

  // A texture of `side` x `side` filled with black.
  IDirectDrawSurface7* BlackTexture(DWORD side) {
    IDirectDrawSurface7* texture = MakeTexture(side, side, D3DX_SF_A8R8G8B8);
    if (texture != nullptr) {
      EXPECT_EQ(Load(texture, 0, std::vector<uint32_t>(size_t{side} * side, kBlack)), S_OK);
    }
    return texture;
  }

  IDirectDrawSurface7* backBuffer_ = nullptr;
};

}  // namespace

TEST_F(BackBufferCopy, TheBackBufferFollowsTheRenderTarget) {
  IDirectDrawSurface7* other = nullptr;
  EXPECT_EQ(context_->GetBackBuffer(1, &other), DDERR_INVALIDPARAMS);
  EXPECT_EQ(context_->GetBackBuffer(0, nullptr), DDERR_INVALIDPARAMS);
  DDSURFACEDESC2 desc{};
  ASSERT_EQ(backBuffer_->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.dwWidth, static_cast<DWORD>(kWidth));
  EXPECT_EQ(desc.dwHeight, static_cast<DWORD>(kHeight));
  ASSERT_EQ(context_->Resize(64, 48), S_OK);
  ASSERT_EQ(backBuffer_->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.dwWidth, 64u);
  EXPECT_EQ(desc.dwHeight, 48u);
}

TEST_F(BackBufferCopy, SameSizeCopyIsExactAndUpright) {
  PaintBands();
  IDirectDrawSurface7* texture = MakeTexture(32, 32, D3DX_SF_A8R8G8B8);
  ASSERT_NE(texture, nullptr);
  // Rows 104 to 135 straddle the red / green edge at row 120.
  const RECT source{0, 104, 32, 136};
  ASSERT_EQ(texture->Blt(nullptr, backBuffer_, &source, 0, nullptr), DD_OK);
  const TextureLevel<uint32_t> level = ReadLevel(texture, 0);
  for (GLint y = 0; y < 32; ++y) {
    for (GLint x = 0; x < 32; ++x) {
      const uint32_t expected = x < 16 ? kYellow : (y < 16 ? kRed : kGreen);
      ASSERT_EQ(level.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(BackBufferCopy, StretchesTheSourceRectangleOntoTheDestinationRectangle) {
  PaintBands();
  IDirectDrawSurface7* texture = BlackTexture(32);
  ASSERT_NE(texture, nullptr);
  // 200 x 240 pixels (rows 60 to 299: 60 red, 120 green, 60 blue) onto 16 x 24 texels:
  // ten rows to a texel, so texel rows 4-9 are red, 10-21 green and 22-27 blue.
  const RECT source{100, 60, 300, 300}, destination{8, 4, 24, 28};
  ASSERT_EQ(texture->Blt(&destination, backBuffer_, &source, 0, nullptr), DD_OK);
  const TextureLevel<uint32_t> level = ReadLevel(texture, 0);
  for (GLint y = 0; y < 32; ++y) {
    for (GLint x = 0; x < 32; ++x) {
      uint32_t expected = kBlack;
      if (x >= 8 && x < 24 && y >= 4 && y < 28) expected = y < 10 ? kRed : y < 22 ? kGreen : kBlue;
      ASSERT_EQ(level.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(BackBufferCopy, CopiesFromTheTargetAsItIsAfterAResize) {
  ASSERT_EQ(context_->Resize(64, 48), S_OK);
  ClearTo(kBlue);
  IDirectDrawSurface7* texture = BlackTexture(16);
  ASSERT_NE(texture, nullptr);
  const RECT oldWhole{0, 0, kWidth, kHeight};
  EXPECT_EQ(texture->Blt(nullptr, backBuffer_, &oldWhole, 0, nullptr), DDERR_INVALIDPARAMS);
  ASSERT_EQ(texture->Blt(nullptr, backBuffer_, nullptr, 0, nullptr), DD_OK);
  EXPECT_EQ(ReadLevel(texture, 0).pixels, std::vector<uint32_t>(256, kBlue));
}

TEST_F(BackBufferCopy, RefusesBadRectanglesAndOtherSources) {
  PaintBands();
  IDirectDrawSurface7* texture = BlackTexture(8);
  IDirectDrawSurface7* otherTexture = MakeTexture(8, 8, D3DX_SF_A8R8G8B8);
  ASSERT_TRUE(texture != nullptr && otherTexture != nullptr);
  const RECT beyondTexture{0, 0, 9, 8}, beyondTarget{600, 400, 641, 480}, empty{4, 4, 4, 8},
      negative{-1, 0, 4, 4};
  EXPECT_EQ(texture->Blt(nullptr, nullptr, nullptr, 0, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(texture->Blt(&beyondTexture, backBuffer_, nullptr, 0, nullptr),
            DDERR_INVALIDPARAMS);
  EXPECT_EQ(texture->Blt(nullptr, backBuffer_, &beyondTarget, 0, nullptr),
            DDERR_INVALIDPARAMS);
  EXPECT_EQ(texture->Blt(&empty, backBuffer_, nullptr, 0, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(texture->Blt(nullptr, backBuffer_, &negative, 0, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(texture->Blt(nullptr, otherTexture, nullptr, 0, nullptr), DDERR_UNSUPPORTED);
  EXPECT_EQ(backBuffer_->Blt(nullptr, texture, nullptr, 0, nullptr), DDERR_UNSUPPORTED);
  EXPECT_EQ(ReadLevel(texture, 0).pixels, std::vector<uint32_t>(64, kBlack));
}

TEST_F(BackBufferCopy, IgnoresAndKeepsTheDevicesScissorAndWriteMask) {
  PaintBands();  // leaves the viewport, and so the scissor, on columns 0 to 15
  IDirectDrawSurface7* texture = MakeTexture(32, 16, D3DX_SF_A8R8G8B8);
  ASSERT_NE(texture, nullptr);
  glColorMask(GL_FALSE, GL_TRUE, GL_TRUE, GL_TRUE);
  GLint drawBefore = 0, scissorBefore[4] = {};
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawBefore);
  glGetIntegerv(GL_SCISSOR_BOX, scissorBefore);

  const RECT redArea{100, 0, 132, 16};
  ASSERT_EQ(texture->Blt(nullptr, backBuffer_, &redArea, 0, nullptr), DD_OK);
  EXPECT_EQ(ReadLevel(texture, 0).pixels, std::vector<uint32_t>(512, kRed));

  GLint drawAfter = 0, scissorAfter[4] = {};
  GLboolean mask[4] = {};
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawAfter);
  glGetIntegerv(GL_SCISSOR_BOX, scissorAfter);
  glGetBooleanv(GL_COLOR_WRITEMASK, mask);
  EXPECT_EQ(drawAfter, drawBefore);
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_TRUE(std::equal(scissorAfter, scissorAfter + 4, scissorBefore));
  EXPECT_EQ(mask[0], GL_FALSE);
  EXPECT_EQ(mask[1], GL_TRUE);
}
