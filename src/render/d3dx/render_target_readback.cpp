#include "render/d3dx/render_target_readback.h"

#include "render/gl/gl_d3dx_context.h"

HRESULT ReadRenderTarget(ID3DXContext* context, std::vector<uint32_t>& pixelsArgb,
                         DWORD* width, DWORD* height) {
  auto* glContext = dynamic_cast<GlD3DXContext*>(context);
  if (glContext == nullptr || width == nullptr || height == nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  const GlRenderTarget& target = glContext->renderTarget();
  pixelsArgb = target.ReadPixels();
  *width = target.width();
  *height = target.height();
  return S_OK;
}
