#pragma once
// The utility context over OpenGL: hands out the device and its companions, clears and
// presents the render target, and draws the debug text.
#include <array>
#include <memory>

#include "render/d3dx/d3dx_context.h"
#include "render/gl/debug_text.h"
#include "render/gl/gl_back_buffer_surface.h"
#include "render/gl/gl_device.h"
#include "render/gl/gl_shared_state.h"
#include "render/gl/gl_surfaces.h"

struct BufferDepths {
  DWORD colorBits, alphaBits, depthBits, stencilBits;
};

class GlD3DXContext final : public ID3DXContext {
 public:
  GlD3DXContext(std::shared_ptr<GlSharedState> shared, const BufferDepths& depths);

  IDirect3D7* GetD3D() override;
  IDirectDraw7* GetDD() override;
  IDirect3DDevice7* GetD3DDevice() override;
  IDirectDrawSurface7* GetPrimary() override;
  HRESULT GetBufferDepths(DWORD* colorBits, DWORD* alphaBits, DWORD* depthBits,
                          DWORD* stencilBits) override;
  HRESULT Clear(DWORD flags) override;
  HRESULT SetClearColor(D3DCOLOR color) override;
  HRESULT SetClearDepth(float depth) override;
  HRESULT SetClearStencil(DWORD stencil) override;
  HRESULT UpdateFrame(DWORD flags) override;
  HRESULT Resize(DWORD width, DWORD height) override;
  HRESULT RestoreSurfaces() override;
  HRESULT DrawDebugText(float x, float y, D3DCOLOR color, const char* text) override;
  HRESULT GetBackBuffer(DWORD which, IDirectDrawSurface7** backBuffer) override;
  HRESULT ReadRenderTarget(std::vector<uint32_t>& pixelsArgb, DWORD* width,
                           DWORD* height) override;
  void SetPresentsToWindow(bool presents) override { presentsToWindow_ = presents; }
  void SetDrawsPixels(bool draws) override;
  void SetWindowOverlay(std::function<void()> overlay) override { overlay_ = std::move(overlay); }
  std::unique_ptr<FrameReadback> CreateFrameReadback() override;
  std::unique_ptr<FragmentCounter> CreateFragmentCounter() override;

  const GlRenderTarget& renderTarget() const { return *shared_->target; }

 private:
  ~GlD3DXContext() override;

  // Declared first so that it goes last, after the debug text's OpenGL objects.
  std::shared_ptr<GlSharedState> shared_;
  BufferDepths depths_;
  // The context holds one reference to each; the demo's references come from the getters.
  GlDirect3D* direct3D_;
  GlDirectDraw* directDraw_;
  GlDevice* device_;
  GlPrimarySurface* primary_;
  GlBackBufferSurface* backBuffer_;
  // Built on first use: most contexts never draw text.
  std::unique_ptr<DebugTextRenderer> debugText_;
  std::array<float, 4> clearColor_{0.0f, 0.0f, 0.0f, 0.0f};
  float clearDepth_ = 1.0f;
  DWORD clearStencil_ = 0;
  bool presentsToWindow_ = true;
  bool drawsPixels_ = true;
  std::function<void()> overlay_;
};
