// The utility context on a live OpenGL context: creation, clearing, resizing, presenting
// and the lifetime of what it hands out.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>

#include <gtest/gtest.h>

#include "support/context_fixture.h"

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000u;
constexpr D3DCOLOR kBlue = 0xFF0000FFu;

HRESULT CreateContextOn(SDL_Window* window, DWORD deviceIndex, DWORD colorBits,
                        DWORD alphaBits, ID3DXContext** context, DWORD width = D3DX_DEFAULT) {
  return D3DXCreateContextEx(deviceIndex, 0, window, nullptr, colorBits, alphaBits,
                             D3DX_DEFAULT, D3DX_DEFAULT, 1, width, D3DX_DEFAULT, D3DX_DEFAULT,
                             context);
}

}  // namespace

TEST(ContextCreation, RefusesBadRequestsWithoutAContext) {
  GlTestWindow window(64, 48), plainWindow(64, 48, 0);
  ASSERT_TRUE(window.valid() && plainWindow.valid()) << SDL_GetError();
  // Not null, so that the test sees each failure clear it.
  ID3DXContext* const notNull = reinterpret_cast<ID3DXContext*>(0x1);
  ID3DXContext* context = notNull;
  EXPECT_EQ(CreateContextOn(window.get(), 7, 32, 0, &context),
            D3DXERR_NODIRECT3DDEVICEAVAILABLE);
  EXPECT_EQ(context, nullptr);
  context = notNull;
  EXPECT_TRUE(FAILED(CreateContextOn(plainWindow.get(), 0, 32, 0, &context)));
  EXPECT_EQ(context, nullptr);
  context = notNull;
  EXPECT_TRUE(FAILED(CreateContextOn(window.get(), 0, 32, 0, &context, 0)));
  EXPECT_EQ(context, nullptr);
  EXPECT_TRUE(FAILED(CreateContextOn(nullptr, 0, 32, 0, &context)));
  EXPECT_TRUE(FAILED(CreateContextOn(window.get(), 0, 32, 0, nullptr)));
}

TEST(ContextCreation, ReportsBufferDepthsAndTargetSize) {
  GlTestWindow window(96, 64);
  ASSERT_TRUE(window.valid()) << SDL_GetError();
  struct Case {
    DWORD colorAsked, alphaAsked, width;
    DWORD color, alpha, expectedWidth;
  };
  for (const Case& c : {Case{D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 32, 0, 96},
                        Case{16, 0, 40, 16, 0, 40}, Case{32, 8, 40, 32, 8, 40}}) {
    ID3DXContext* context = nullptr;
    ASSERT_EQ(CreateContextOn(window.get(), D3DX_HWLEVEL_RASTER, c.colorAsked, c.alphaAsked,
                              &context, c.width),
              S_OK);
    DWORD color = 0, alpha = 0, depth = 0, stencil = 0;
    EXPECT_EQ(context->GetBufferDepths(&color, &alpha, &depth, &stencil), S_OK);
    EXPECT_EQ(color, c.color) << "asked " << c.colorAsked;
    EXPECT_EQ(alpha, c.alpha) << "asked " << c.alphaAsked;
    EXPECT_EQ(depth, 24u);
    EXPECT_EQ(stencil, 8u);
    std::vector<uint32_t> pixels;
    DWORD width = 0, height = 0;
    EXPECT_EQ(context->ReadRenderTarget(pixels, &width, &height), S_OK);
    EXPECT_EQ(width, c.expectedWidth);
    EXPECT_EQ(height, 64u);
    context->Release();
  }
}

// The demo lets go of the context first and of what it handed out afterwards.
TEST(ContextLifetime, HandedOutObjectsOutliveTheContext) {
  GlTestWindow window(64, 48);
  ASSERT_TRUE(window.valid()) << SDL_GetError();
  ID3DXContext* context = nullptr;
  ASSERT_EQ(CreateContextOn(window.get(), 0, 32, 0, &context), S_OK);
  IDirect3D7* d3d = context->GetD3D();
  IDirectDraw7* ddraw = context->GetDD();
  IDirect3DDevice7* device = context->GetD3DDevice();
  IDirectDrawSurface7* primary = context->GetPrimary();
  EXPECT_EQ(context->Release(), 0u);

  DDSCAPS2 caps{};
  DWORD total = 0, free = 0;
  EXPECT_EQ(ddraw->GetAvailableVidMem(&caps, &total, &free), DD_OK);
  EXPECT_GT(total, 0u);
  EXPECT_LE(free, total);
  EXPECT_EQ(ddraw->GetAvailableVidMem(nullptr, &total, &free), DDERR_INVALIDPARAMS);
  EXPECT_EQ(ddraw->Release(), 0u);
  EXPECT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->EndScene(), D3D_OK);
  EXPECT_EQ(device->Release(), 0u);
  EXPECT_EQ(primary->GetBltStatus(DDGBS_ISBLTDONE), DD_OK);
  EXPECT_EQ(primary->Release(), 0u);
  EXPECT_EQ(d3d->Release(), 0u);
}

using ContextClear = ContextFixture;

// The demo's letterbox: a 4:3 target with a wide-screen band in the middle.
TEST_F(ContextClear, StaysInsideTheViewportBand) {
  ClearTo(kRed);
  EXPECT_EQ(ReadPicture().At(kWidth - 1, kHeight - 1), kRed);
  SetViewport(0, 38, kWidth, 404);
  ClearTo(kBlue);
  const Picture picture = ReadPicture();
  EXPECT_EQ(picture.At(0, 37), kRed);
  EXPECT_EQ(picture.At(kWidth - 1, 38), kBlue);
  EXPECT_EQ(picture.At(0, 441), kBlue);
  EXPECT_EQ(picture.At(kWidth - 1, 442), kRed);
}

// Row 0 is the top: a viewport at the top of the target clears the first rows read back.
TEST_F(ContextClear, CountsViewportRowsFromTheTop) {
  ClearTo(kRed);
  SetViewport(100, 0, 200, 10);
  ClearTo(0x80123456u);
  const Picture picture = ReadPicture();
  EXPECT_EQ(picture.At(100, 0), 0x80123456u);
  EXPECT_EQ(picture.At(299, 9), 0x80123456u);
  EXPECT_EQ(picture.At(99, 0), kRed);
  EXPECT_EQ(picture.At(300, 0), kRed);
  EXPECT_EQ(picture.At(100, 10), kRed);
}

TEST_F(ContextClear, ClearsDepthAndStencilWithTheirValues) {
  ASSERT_EQ(context_->Clear(D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL), S_OK);
  ASSERT_EQ(context_->SetClearDepth(0.25f), S_OK);
  ASSERT_EQ(context_->SetClearStencil(0x5A), S_OK);
  SetViewport(0, 0, 10, 10);
  ASSERT_EQ(context_->Clear(D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL), S_OK);
  EXPECT_EQ(context_->Clear(0x80), DDERR_INVALIDPARAMS);
  EXPECT_TRUE(FAILED(context_->SetClearDepth(1.5f)));

  // The target's top-left pixel is in OpenGL's row H - 1; depth is in the top 24 bits.
  uint32_t inside = 0, outside = 0;
  glReadPixels(0, kHeight - 1, 1, 1, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, &inside);
  glReadPixels(0, 0, 1, 1, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, &outside);
  EXPECT_NEAR(static_cast<double>(inside >> 8) / 0xFFFFFF, 0.25, 1e-6);
  EXPECT_EQ(inside & 0xFF, 0x5Au);
  EXPECT_EQ(outside, 0xFFFFFF00u) << "the defaults: depth 1, stencil 0";
}

TEST_F(ContextClear, IgnoresWriteMasksAndRestoresThem) {
  glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_FALSE);
  glClearColor(0.5f, 0.25f, 0.125f, 1.0f);
  ClearTo(kRed);
  EXPECT_EQ(ReadPicture().At(0, 0), kRed);
  std::array<GLboolean, 4> colorMask{};
  glGetBooleanv(GL_COLOR_WRITEMASK, colorMask.data());
  EXPECT_EQ(colorMask, (std::array<GLboolean, 4>{GL_TRUE, GL_FALSE, GL_TRUE, GL_FALSE}));
  std::array<GLfloat, 4> clearColor{};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor.data());
  EXPECT_EQ(clearColor, (std::array<GLfloat, 4>{0.5f, 0.25f, 0.125f, 1.0f}));
}

using ContextResize = ContextFixture;

TEST_F(ContextResize, RefusesZeroOrHugeSizesAndKeepsTheTarget) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
  EXPECT_TRUE(FAILED(context_->Resize(0, 300)));
  EXPECT_TRUE(FAILED(context_->Resize(300, 0)));
  EXPECT_TRUE(FAILED(context_->Resize(static_cast<DWORD>(maxSize) + 1, 16)));
  const Picture picture = ReadPicture();
  EXPECT_EQ(picture.width, DWORD{kWidth});
  EXPECT_EQ(picture.height, DWORD{kHeight});
}

TEST_F(ContextResize, NewSizeResizesTheTargetAndTheViewport) {
  SetViewport(10, 10, 20, 20);
  ASSERT_EQ(context_->Resize(320, 200), S_OK);
  D3DVIEWPORT7 viewport{};
  ASSERT_EQ(device_->GetViewport(&viewport), D3D_OK);
  EXPECT_EQ(viewport.dwX, 0u);
  EXPECT_EQ(viewport.dwWidth, 320u);
  EXPECT_EQ(viewport.dwHeight, 200u);
  ClearTo(kBlue);
  const Picture picture = ReadPicture();
  EXPECT_EQ(picture.width, 320u);
  EXPECT_EQ(picture.height, 200u);
  EXPECT_EQ(picture.At(319, 199), kBlue);
}

// The offscreen driver's window is an EGL pbuffer, which swapping leaves untouched, so
// what was presented can be read back from the default framebuffer.
TEST_F(ContextFixture, PresentScalesUprightWithBlackBarsIntoTheWindow) {
  Recreate(200, 100, 50, 50);
  ClearTo(kBlue);
  SetViewport(0, 0, 50, 25);
  ClearTo(kRed);
  ASSERT_EQ(context_->UpdateFrame(0), S_OK);
  EXPECT_EQ(ReadPicture().At(0, 0), kRed) << "the target is kept";

  const auto windowPixel = [](int x, int yFromTop) {
    uint32_t pixel = 0;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(x, 100 - 1 - yFromTop, 1, 1, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &pixel);
    return pixel;
  };
  // The 50 x 50 picture fills the window's height, 100 x 100 in the middle.
  EXPECT_EQ(windowPixel(20, 50), 0xFF000000u);
  EXPECT_EQ(windowPixel(180, 50), 0xFF000000u);
  EXPECT_EQ(windowPixel(100, 10), kRed);
  EXPECT_EQ(windowPixel(100, 90), kBlue);
}
