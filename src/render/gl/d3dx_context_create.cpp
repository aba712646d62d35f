// D3DXCreateContextEx: checks the request, brings up OpenGL on the window and builds the
// context around it.
#include <SDL2/SDL.h>

#include "render/gl/gl_d3dx_context.h"

namespace {

bool DeviceIndexIsKnown(DWORD deviceIndex) {
  return deviceIndex == 0 || deviceIndex == D3DX_HWLEVEL_RASTER || deviceIndex == D3DX_DEFAULT;
}

// The target is always RGBA8 with 24-bit depth and 8-bit stencil; the colour depth asked
// for is reported back when it is one the demo knows (16 or 32), and alpha only when
// some was asked for.
BufferDepths ReportedDepths(DWORD colorBits, DWORD alphaBits) {
  constexpr DWORD kTargetAlphaBits = 8;
  const bool alphaAsked = alphaBits != 0 && alphaBits != D3DX_DEFAULT;
  return {colorBits == 16 || colorBits == 32 ? colorBits : 32,
          alphaAsked ? kTargetAlphaBits : 0, 24, 8};
}

}  // namespace

HRESULT D3DXCreateContextEx(DWORD deviceIndex, DWORD /*flags*/, SDL_Window* deviceWindow,
                            SDL_Window* /*focusWindow*/, DWORD colorBits, DWORD alphaBits,
                            DWORD /*depthBits*/, DWORD /*stencilBits*/, DWORD /*backBuffers*/,
                            DWORD width, DWORD height, DWORD /*refreshRate*/,
                            ID3DXContext** context) {
  if (context == nullptr) return D3DXERR_INVALIDPARAMETER;
  *context = nullptr;
  if (deviceWindow == nullptr || width == 0 || height == 0) return D3DXERR_INVALIDPARAMETER;
  if (!DeviceIndexIsKnown(deviceIndex)) return D3DXERR_NODIRECT3DDEVICEAVAILABLE;

  std::unique_ptr<GlContext> glContext;
  HRESULT result = GlContext::Create(deviceWindow, &glContext);
  if (FAILED(result)) return result;

  // Full screen and windowed take the same path: the window is already the size it will
  // have, and presenting scales the target into it with the aspect kept.
  int drawableWidth = 0, drawableHeight = 0;
  SDL_GL_GetDrawableSize(deviceWindow, &drawableWidth, &drawableHeight);
  if (width == D3DX_DEFAULT) width = static_cast<DWORD>(drawableWidth);
  if (height == D3DX_DEFAULT) height = static_cast<DWORD>(drawableHeight);
  std::unique_ptr<GlRenderTarget> target;
  result = GlRenderTarget::Create(width, height, &target);
  if (FAILED(result)) return result;

  const GlFeatures features = QueryGlFeatures();
  auto shared =
      std::make_shared<GlSharedState>(std::move(glContext), features, std::move(target));
  *context = new GlD3DXContext(std::move(shared), ReportedDepths(colorBits, alphaBits));
  return S_OK;
}
