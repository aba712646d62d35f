// The context's instruments for looking at its frames (the rest of GlD3DXContext is in
// gl_d3dx_context.cpp).
#include "render/gl/gl_d3dx_context.h"
#include "render/gl/gl_fragment_counter.h"
#include "render/gl/gl_frame_readback.h"

HRESULT GlD3DXContext::ReadRenderTarget(std::vector<uint32_t>& pixelsArgb, DWORD* width,
                                        DWORD* height) {
  if (width == nullptr || height == nullptr) return DDERR_INVALIDPARAMS;
  const GlRenderTarget& target = renderTarget();
  pixelsArgb = target.ReadPixels();
  *width = target.width();
  *height = target.height();
  return S_OK;
}

std::unique_ptr<FrameReadback> GlD3DXContext::CreateFrameReadback() {
  return std::make_unique<GlFrameReadback>(*this);
}

std::unique_ptr<FragmentCounter> GlD3DXContext::CreateFragmentCounter() {
  return std::make_unique<GlFragmentCounter>();
}
