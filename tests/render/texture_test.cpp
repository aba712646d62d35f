// Textures on a live context: what D3DXCreateTexture makes and what
// D3DXLoadTextureFromMemory puts in it, read back from OpenGL.
#include <algorithm>

#include <gtest/gtest.h>

#include "render/gl/gl_texture.h"
#include "render/texture_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu,
                   kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;

GLint TextureParameter(IDirectDrawSurface7* texture, DWORD level, GLenum parameter) {
  GLint previous = 0, value = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  glBindTexture(GL_TEXTURE_2D, dynamic_cast<GlTexture*>(texture)->GlName());
  glGetTexLevelParameteriv(GL_TEXTURE_2D, static_cast<GLint>(level), parameter, &value);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  return value;
}

using TextureCreation = TextureFixture;
using TextureLoading = TextureFixture;

}  // namespace

TEST_F(TextureCreation, ReportsTheFormatEachRequestBecomes) {
  struct Case {
    D3DX_SURFACEFORMAT requested, reported;
    GLint redBits;
    bool alpha;
  };
  for (const Case& c : {Case{D3DX_SF_R8G8B8, D3DX_SF_R8G8B8, 8, false},
                        Case{D3DX_SF_A8R8G8B8, D3DX_SF_A8R8G8B8, 8, true},
                        Case{D3DX_SF_X8R8G8B8, D3DX_SF_X8R8G8B8, 8, false},
                        Case{D3DX_SF_R5G6B5, D3DX_SF_R5G6B5, 5, false},
                        Case{D3DX_SF_R5G5B5, D3DX_SF_R5G5B5, 5, false},
                        Case{D3DX_SF_PALETTE4, D3DX_SF_R5G6B5, 5, false},
                        Case{D3DX_SF_PALETTE8, D3DX_SF_R5G6B5, 5, false},
                        Case{D3DX_SF_A1R5G5B5, D3DX_SF_A1R5G5B5, 5, true},
                        Case{D3DX_SF_X4R4G4B4, D3DX_SF_X4R4G4B4, 4, false},
                        Case{D3DX_SF_A4R4G4B4, D3DX_SF_A4R4G4B4, 4, true}}) {
    SCOPED_TRACE(c.requested);
    DWORD flags = 0, width = 16, height = 8, mipLevels = 1;
    D3DX_SURFACEFORMAT format = c.requested;
    IDirectDrawSurface7* texture = nullptr;
    ASSERT_EQ(D3DXCreateTexture(device_, &flags, &width, &height, &format, nullptr, &texture,
                                &mipLevels),
              S_OK);
    EXPECT_EQ(format, c.reported);
    DDSURFACEDESC2 desc{};
    EXPECT_EQ(texture->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwFlags, DDSD_WIDTH | DDSD_HEIGHT | DDSD_MIPMAPCOUNT);
    EXPECT_EQ(desc.dwWidth, 16u);
    EXPECT_EQ(desc.dwHeight, 8u);
    EXPECT_EQ(desc.dwMipMapCount, 1u);
    EXPECT_EQ(desc.format, c.reported);
    // OpenGL may keep more precision than asked, never less, and alpha only if meant.
    EXPECT_GE(TextureParameter(texture, 0, GL_TEXTURE_RED_SIZE), c.redBits);
    EXPECT_EQ(TextureParameter(texture, 0, GL_TEXTURE_ALPHA_SIZE) > 0, c.alpha);
    texture->Release();
  }
}

TEST_F(TextureCreation, ChoosesSizeAndMipChain) {
  struct Case {
    DWORD flags, width, height, mipsAsked;
    DWORD expectedWidth, expectedHeight, expectedMips;
  };
  for (const Case& c : {Case{0, 64, 32, 0, 64, 32, 7}, Case{0, 64, 32, D3DX_DEFAULT, 64, 32, 7},
                        Case{0, 64, 32, 3, 64, 32, 3}, Case{0, 64, 32, 20, 64, 32, 7},
                        Case{D3DX_TEXTURE_NOMIPMAP, 64, 32, 0, 64, 32, 1},
                        Case{0, 300, 20, 0, 300, 20, 9}, Case{0, 0, 5, 0, 1, 5, 3}}) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " mips " << c.mipsAsked);
    DWORD flags = c.flags, width = c.width, height = c.height, mipLevels = c.mipsAsked;
    D3DX_SURFACEFORMAT format = D3DX_SF_A8R8G8B8;
    IDirectDrawSurface7* texture = nullptr;
    ASSERT_EQ(D3DXCreateTexture(device_, &flags, &width, &height, &format, nullptr, &texture,
                                &mipLevels),
              S_OK);
    EXPECT_EQ(width, c.expectedWidth);
    EXPECT_EQ(height, c.expectedHeight);
    EXPECT_EQ(mipLevels, c.expectedMips);
    EXPECT_EQ(dynamic_cast<GlTexture*>(texture)->MipLevels(), c.expectedMips);
    // Every level exists, down to the last one asked for.
    const DWORD last = mipLevels - 1;
    EXPECT_EQ(TextureParameter(texture, last, GL_TEXTURE_WIDTH),
              std::max<GLint>(static_cast<GLint>(width >> last), 1));
    EXPECT_EQ(TextureParameter(texture, last, GL_TEXTURE_HEIGHT),
              std::max<GLint>(static_cast<GLint>(height >> last), 1));
    texture->Release();
  }
}

TEST_F(TextureCreation, ClampsToTheDeviceLimitAndFillsInWhatIsNotAsked) {
  GLint limit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
  DWORD width = 1u << 30, height = 1, mipLevels = 1;
  IDirectDrawSurface7* texture = nullptr;
  ASSERT_EQ(D3DXCreateTexture(device_, nullptr, &width, &height, nullptr, nullptr, &texture,
                              &mipLevels),
            S_OK);
  EXPECT_EQ(width, static_cast<DWORD>(limit));
  texture->Release();

  ASSERT_EQ(D3DXCreateTexture(device_, nullptr, nullptr, nullptr, nullptr, nullptr, &texture,
                              nullptr),
            S_OK);
  DDSURFACEDESC2 desc{};
  EXPECT_EQ(texture->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.dwWidth, 256u);
  EXPECT_EQ(desc.dwHeight, 256u);
  EXPECT_EQ(desc.dwMipMapCount, 9u);
  EXPECT_EQ(desc.format, D3DX_SF_A8R8G8B8);
  EXPECT_EQ(texture->GetSurfaceDesc(nullptr), DDERR_INVALIDPARAMS);
  texture->Release();
}

TEST_F(TextureCreation, RefusesWhatItCannotMake) {
  IDirectDrawSurface7* const notNull = reinterpret_cast<IDirectDrawSurface7*>(0x1);
  IDirectDrawSurface7* texture = notNull;
  DWORD width = 8, height = 8;
  D3DX_SURFACEFORMAT format = D3DX_SF_A8R8G8B8;
  uint32_t palette[16] = {};
  EXPECT_EQ(D3DXCreateTexture(nullptr, nullptr, &width, &height, &format, nullptr, &texture,
                              nullptr),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(texture, nullptr);
  texture = notNull;
  EXPECT_EQ(D3DXCreateTexture(device_, nullptr, &width, &height, &format, palette, &texture,
                              nullptr),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(texture, nullptr);
  format = static_cast<D3DX_SURFACEFORMAT>(11);
  EXPECT_EQ(D3DXCreateTexture(device_, nullptr, &width, &height, &format, nullptr, &texture,
                              nullptr),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(D3DXCreateTexture(device_, nullptr, &width, &height, nullptr, nullptr, nullptr,
                              nullptr),
            D3DXERR_INVALIDPARAMETER);
  // Nothing was reported back from the refused calls.
  EXPECT_EQ(width, 8u);
  EXPECT_EQ(format, static_cast<D3DX_SURFACEFORMAT>(11));
}

// The demo may let go of the context and device before its textures.
TEST_F(TextureCreation, KeepsTheContextAliveWhileItExists) {
  IDirectDrawSurface7* texture = nullptr;
  ASSERT_EQ(D3DXCreateTexture(device_, nullptr, nullptr, nullptr, nullptr, nullptr, &texture,
                              nullptr),
            S_OK);
  SafeRelease(context_);
  SafeRelease(device_);
  EXPECT_TRUE(glIsTexture(dynamic_cast<GlTexture*>(texture)->GlName()));
  texture->Release();
}

TEST_F(TextureLoading, KeepsTheSourcesTopRowAtTextureRowZero) {
  IDirectDrawSurface7* texture = MakeTexture(2, 3, D3DX_SF_A8R8G8B8);
  ASSERT_NE(texture, nullptr);
  ASSERT_EQ(Load(texture, 0, {kRed, kGreen,  //
                              kBlue, kWhite,  //
                              kBlack, 0x12345678u}),
            S_OK);
  const TextureLevel<uint32_t> level = ReadLevel(texture, 0);
  EXPECT_EQ(level.pixels, (std::vector<uint32_t>{kRed, kGreen, kBlue, kWhite, kBlack,
                                                 0x12345678u}));
}

TEST_F(TextureLoading, MakesEachLevelFromTheOneAboveWithABoxFilter) {
  IDirectDrawSurface7* texture = MakeTexture(4, 4, D3DX_SF_A8R8G8B8, 0);
  ASSERT_NE(texture, nullptr);
  // Quadrants of four colours, alpha included.
  const uint32_t a = 0x80FF0000u, b = 0xFF00FF00u, c = 0xFF0000FFu, d = 0x00000000u;
  ASSERT_EQ(Load(texture, D3DX_DEFAULT, {a, a, b, b,  //
                                         a, a, b, b,  //
                                         c, c, d, d,  //
                                         c, c, d, d}),
            S_OK);
  EXPECT_EQ(ReadLevel(texture, 1).pixels, (std::vector<uint32_t>{a, b, c, d}));
  // Alpha (128 + 255 + 255 + 0) / 4 = 159.5 and each colour 255 / 4 = 63.75, rounded.
  EXPECT_EQ(ReadLevel(texture, 2).pixels, (std::vector<uint32_t>{0xA0404040u}));
}

TEST_F(TextureLoading, AFineCheckerAveragesToGrey) {
  IDirectDrawSurface7* texture = MakeTexture(4, 4, D3DX_SF_A8R8G8B8, 0);
  ASSERT_NE(texture, nullptr);
  std::vector<uint32_t> checker(16);
  for (size_t i = 0; i < checker.size(); ++i) checker[i] = (i + i / 4) % 2 ? kWhite : kBlack;
  ASSERT_EQ(Load(texture, D3DX_DEFAULT, checker), S_OK);
  EXPECT_EQ(ReadLevel(texture, 1).pixels, std::vector<uint32_t>(4, 0xFF808080u));
  EXPECT_EQ(ReadLevel(texture, 2).pixels, std::vector<uint32_t>(1, 0xFF808080u));
}

TEST_F(TextureLoading, FormatsWithoutAlphaReadOpaque) {
  for (const D3DX_SURFACEFORMAT format : {D3DX_SF_R8G8B8, D3DX_SF_X8R8G8B8, D3DX_SF_R5G6B5,
                                          D3DX_SF_R5G5B5, D3DX_SF_X4R4G4B4}) {
    SCOPED_TRACE(format);
    IDirectDrawSurface7* texture = MakeTexture(1, 1, format);
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(Load(texture, 0, {0x00FFFFFFu}), S_OK);
    EXPECT_EQ(ReadLevel(texture, 0).pixels, std::vector<uint32_t>(1, kWhite));
  }
}

TEST_F(TextureLoading, SixteenBitFormatsKeepTheirRoundedPrecision) {
  const std::vector<uint32_t> source = {0x80FF7F08u, 0x7F000000u};
  struct Case {
    D3DX_SURFACEFORMAT format;
    GLenum readFormat, readType;
    std::vector<uint16_t> expected;
  };
  for (const Case& c :
       {Case{D3DX_SF_A1R5G5B5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, {0xFDE1, 0x0000}},
        Case{D3DX_SF_A4R4G4B4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, {0x8F70, 0x7000}},
        Case{D3DX_SF_R5G6B5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, {0xFBE1, 0x0000}}}) {
    SCOPED_TRACE(c.format);
    IDirectDrawSurface7* texture = MakeTexture(2, 1, c.format);
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(Load(texture, 0, source), S_OK);
    EXPECT_EQ(ReadPackedLevel(texture, 0, c.readFormat, c.readType).pixels, c.expected);
  }
  // Four bits read back as 8 are whole multiples of 17.
  IDirectDrawSurface7* texture = MakeTexture(1, 1, D3DX_SF_A4R4G4B4);
  ASSERT_NE(texture, nullptr);
  ASSERT_EQ(Load(texture, 0, {0x80FF7F08u}), S_OK);
  EXPECT_EQ(ReadLevel(texture, 0).pixels, std::vector<uint32_t>(1, 0x88FF7700u));
}

TEST_F(TextureLoading, WritesOnlyTheRectangleAndLevelAsked) {
  IDirectDrawSurface7* texture = MakeTexture(8, 4, D3DX_SF_A8R8G8B8, 2);
  ASSERT_NE(texture, nullptr);
  ASSERT_EQ(Load(texture, 0, std::vector<uint32_t>(32, kBlack)), S_OK);
  ASSERT_EQ(Load(texture, 1, std::vector<uint32_t>(8, kBlue)), S_OK);
  // Two rows of three pixels, with rows five pixels apart: the padding must not show.
  const uint32_t pad = 0xDEADBEEFu;
  const std::vector<uint32_t> source = {kRed, kRed, kGreen, pad, pad,  //
                                        kWhite, kRed, kRed};
  const RECT area{2, 1, 5, 3};
  ASSERT_EQ(D3DXLoadTextureFromMemory(device_, texture, 0, source.data(), nullptr,
                                      D3DX_SF_A8R8G8B8, 5 * 4, &area, D3DX_FT_POINT),
            S_OK);
  const TextureLevel<uint32_t> level0 = ReadLevel(texture, 0);
  for (GLint y = 0; y < 4; ++y) {
    for (GLint x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      const uint32_t expected = inside ? source[static_cast<size_t>((y - 1) * 5 + x - 2)] : kBlack;
      EXPECT_EQ(level0.At(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(ReadLevel(texture, 1).pixels, std::vector<uint32_t>(8, kBlue));
}

TEST_F(TextureLoading, EveryLevelOfARectangleGetsItsPartOfThePicture) {
  IDirectDrawSurface7* texture = MakeTexture(8, 8, D3DX_SF_A8R8G8B8, 0);
  ASSERT_NE(texture, nullptr);
  for (DWORD level = 0; level < 4; ++level) {
    const DWORD side = 8u >> level;
    ASSERT_EQ(Load(texture, level, std::vector<uint32_t>(size_t{side} * side, kBlack)), S_OK);
  }
  // The right half, 4 x 8: level 1 gets its right half, 2 x 4, and so on down.
  const RECT rightHalf{4, 0, 8, 8};
  const std::vector<uint32_t> white(32, kWhite);
  ASSERT_EQ(D3DXLoadTextureFromMemory(device_, texture, D3DX_DEFAULT, white.data(), nullptr,
                                      D3DX_SF_A8R8G8B8, 0, &rightHalf, D3DX_FT_DEFAULT),
            S_OK);
  const TextureLevel<uint32_t> level1 = ReadLevel(texture, 1);
  for (GLint x = 0; x < 4; ++x) EXPECT_EQ(level1.At(x, 3), x < 2 ? kBlack : kWhite) << x;
  EXPECT_EQ(ReadLevel(texture, 3).pixels, std::vector<uint32_t>(1, kWhite));
}

TEST_F(TextureLoading, RefusesBadInputAndLeavesTheTextureAlone) {
  IDirectDrawSurface7* texture = MakeTexture(4, 4, D3DX_SF_A8R8G8B8, 2);
  ASSERT_NE(texture, nullptr);
  ASSERT_EQ(Load(texture, 0, std::vector<uint32_t>(16, kBlack)), S_OK);
  const std::vector<uint32_t> white(64, kWhite);
  const auto load = D3DXLoadTextureFromMemory;
  const RECT outside{2, 2, 5, 4}, empty{1, 1, 1, 3};
  uint32_t palette[16] = {};
  IDirectDrawSurface7* backBuffer = nullptr;
  ASSERT_EQ(context_->GetBackBuffer(0, &backBuffer), DD_OK);
  const D3DX_SURFACEFORMAT argb = D3DX_SF_A8R8G8B8;
  const D3DX_FILTERTYPE linear = D3DX_FT_LINEAR;
  const void* data = white.data();
  EXPECT_EQ(load(nullptr, texture, 0, data, nullptr, argb, 0, nullptr, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, nullptr, 0, data, nullptr, argb, 0, nullptr, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, backBuffer, 0, data, nullptr, argb, 0, nullptr, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, texture, 0, nullptr, nullptr, argb, 0, nullptr, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, texture, 0, data, palette, argb, 0, nullptr, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, texture, 0, data, nullptr, D3DX_SF_R5G6B5, 0, nullptr, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, texture, 2, data, nullptr, argb, 0, nullptr, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, texture, 0, data, nullptr, argb, 0, &outside, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, texture, 0, data, nullptr, argb, 0, &empty, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, texture, 0, data, nullptr, argb, 15, nullptr, linear),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(load(device_, texture, 0, data, nullptr, argb, 0, nullptr,
                 static_cast<D3DX_FILTERTYPE>(7)),
            D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(ReadLevel(texture, 0).pixels, std::vector<uint32_t>(16, kBlack));
  backBuffer->Release();
}

TEST_F(TextureLoading, LeavesTheDevicesTextureBindingAndUnpackingAlone) {
  GLuint bound = 0;
  glGenTextures(1, &bound);
  glBindTexture(GL_TEXTURE_2D, bound);
  IDirectDrawSurface7* texture = MakeTexture(3, 3, D3DX_SF_R5G6B5, 0);
  ASSERT_NE(texture, nullptr);
  ASSERT_EQ(Load(texture, D3DX_DEFAULT, std::vector<uint32_t>(9, kRed)), S_OK);
  GLint binding = 0, alignment = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(binding, static_cast<GLint>(bound));
  EXPECT_EQ(alignment, 4);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &bound);
}
