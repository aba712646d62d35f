#include "render/gl/gl_d3dx_context.h"

#include <cmath>
#include <cstring>

#include "render/d3d/d3d_color.h"
#include "render/d3dx/debug_text_layout.h"
#include "render/gl/gl_saved_state.h"
#include "render/state/target_geometry.h"

namespace {

template <typename T>
T* WithAddedReference(T* object) {
  object->AddRef();
  return object;
}

}  // namespace

GlD3DXContext::GlD3DXContext(std::shared_ptr<GlSharedState> shared, const BufferDepths& depths)
    : shared_(std::move(shared)),
      depths_(depths),
      direct3D_(new GlDirect3D(shared_)),
      directDraw_(new GlDirectDraw(shared_)),
      device_(new GlDevice(shared_)),
      primary_(new GlPrimarySurface(shared_)),
      backBuffer_(new GlBackBufferSurface(shared_)) {
  glBindFramebuffer(GL_FRAMEBUFFER, shared_->target->framebuffer());
}

GlD3DXContext::~GlD3DXContext() {
  shared_->context->MakeCurrent();
  debugText_.reset();
  direct3D_->Release();
  directDraw_->Release();
  device_->Release();
  primary_->Release();
  backBuffer_->Release();
}

IDirect3D7* GlD3DXContext::GetD3D() { return WithAddedReference(direct3D_); }
IDirectDraw7* GlD3DXContext::GetDD() { return WithAddedReference(directDraw_); }
IDirect3DDevice7* GlD3DXContext::GetD3DDevice() { return WithAddedReference(device_); }
IDirectDrawSurface7* GlD3DXContext::GetPrimary() { return WithAddedReference(primary_); }

HRESULT GlD3DXContext::GetBufferDepths(DWORD* colorBits, DWORD* alphaBits, DWORD* depthBits,
                                       DWORD* stencilBits) {
  if (colorBits != nullptr) *colorBits = depths_.colorBits;
  if (alphaBits != nullptr) *alphaBits = depths_.alphaBits;
  if (depthBits != nullptr) *depthBits = depths_.depthBits;
  if (stencilBits != nullptr) *stencilBits = depths_.stencilBits;
  return S_OK;
}

HRESULT GlD3DXContext::Clear(DWORD flags) {
  constexpr DWORD kKnownFlags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
  if ((flags & ~kKnownFlags) != 0) return DDERR_INVALIDPARAMS;
  if (flags == 0) return S_OK;

  SavedGlState saved;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, shared_->target->framebuffer());
  const PixelRect area = device_->GlViewportRect();
  glEnable(GL_SCISSOR_TEST);
  glScissor(area.x, area.y, area.width, area.height);

  // Write masks left off by the device's states would otherwise keep the clear out.
  GLbitfield buffers = 0;
  if (flags & D3DCLEAR_TARGET) {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(clearColor_[0], clearColor_[1], clearColor_[2], clearColor_[3]);
    buffers |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_ZBUFFER) {
    glDepthMask(GL_TRUE);
    glClearDepth(clearDepth_);
    buffers |= GL_DEPTH_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_STENCIL) {
    glStencilMask(0xFF);
    glClearStencil(static_cast<GLint>(clearStencil_ & 0xFF));
    buffers |= GL_STENCIL_BUFFER_BIT;
  }
  glClear(buffers);
  return S_OK;
}

HRESULT GlD3DXContext::SetClearColor(D3DCOLOR color) {
  clearColor_ = ColorToRgba(color);
  return S_OK;
}

HRESULT GlD3DXContext::SetClearDepth(float depth) {
  if (!(depth >= 0.0f && depth <= 1.0f)) return D3DXERR_INVALIDPARAMETER;
  clearDepth_ = depth;
  return S_OK;
}

HRESULT GlD3DXContext::SetClearStencil(DWORD stencil) {
  clearStencil_ = stencil;
  return S_OK;
}

void GlD3DXContext::SetDrawsPixels(bool draws) {
  drawsPixels_ = draws;
  // The device's draws stop before OpenGL, and OpenGL ignores clears and drops whatever
  // else would be rasterised (the debug text); copies between surfaces still happen.
  device_->SetSkipsDraws(!draws);
  if (draws) {
    glDisable(GL_RASTERIZER_DISCARD);
  } else {
    glEnable(GL_RASTERIZER_DISCARD);
  }
}

HRESULT GlD3DXContext::UpdateFrame(DWORD) {
  if (!presentsToWindow_ || !drawsPixels_) {
    // The frame is complete as far as the caller can tell: its commands are on their way.
    // A frame without pixels has nothing new to show.
    glFlush();
    return S_OK;
  }
  SDL_Window* window = shared_->context->window();
  int windowWidth = 0, windowHeight = 0;
  SDL_GL_GetDrawableSize(window, &windowWidth, &windowHeight);
  {
    SavedGlState saved;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    const GlRenderTarget& target = *shared_->target;
    const int32_t width = static_cast<int32_t>(target.width());
    const int32_t height = static_cast<int32_t>(target.height());
    const PixelRect picture = FitKeepingAspect(width, height, windowWidth, windowHeight);
    const bool sameSize = picture.width == width && picture.height == height;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer());
    // Both framebuffers keep the top row highest, so the picture is copied upright.
    glBlitFramebuffer(0, 0, width, height, picture.x, picture.y, picture.x + picture.width,
                      picture.y + picture.height, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
    if (overlay_) {
      glViewport(0, 0, windowWidth, windowHeight);
      overlay_();
    }
  }
  SDL_GL_SwapWindow(window);
  return S_OK;
}

HRESULT GlD3DXContext::Resize(DWORD width, DWORD height) {
  if (width == 0 || height == 0) return D3DXERR_INVALIDPARAMETER;
  const GlRenderTarget& current = *shared_->target;
  if (width == current.width() && height == current.height()) return S_OK;

  // The new storage is made before the old is let go, so a failure changes nothing.
  std::unique_ptr<GlRenderTarget> resized;
  const HRESULT result = GlRenderTarget::Create(width, height, &resized);
  if (FAILED(result)) return result;
  shared_->target = std::move(resized);
  glBindFramebuffer(GL_FRAMEBUFFER, shared_->target->framebuffer());
  device_->CoverWholeTarget();
  return S_OK;
}

HRESULT GlD3DXContext::RestoreSurfaces() { return S_OK; }

HRESULT GlD3DXContext::GetBackBuffer(DWORD which, IDirectDrawSurface7** backBuffer) {
  if (which != 0 || backBuffer == nullptr) return DDERR_INVALIDPARAMS;
  *backBuffer = WithAddedReference(backBuffer_);
  return DD_OK;
}

HRESULT GlD3DXContext::DrawDebugText(float x, float y, D3DCOLOR color, const char* text) {
  if (text == nullptr || !std::isfinite(x) || !std::isfinite(y)) {
    return D3DXERR_INVALIDPARAMETER;
  }
  if (!debugText_) debugText_ = DebugTextRenderer::Create();
  if (!debugText_) return E_FAIL;
  const GlRenderTarget& target = *shared_->target;
  debugText_->Draw(target, x * static_cast<float>(target.width()),
                   y * static_cast<float>(target.height()), color,
                   std::string_view(text, strnlen(text, kMaxDebugTextLength)));
  return S_OK;
}
