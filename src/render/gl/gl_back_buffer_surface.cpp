#include "render/gl/gl_back_buffer_surface.h"

HRESULT GlBackBufferSurface::GetSurfaceDesc(DDSURFACEDESC2* desc) {
  if (desc == nullptr) return DDERR_INVALIDPARAMS;
  *desc = {sizeof(DDSURFACEDESC2), DDSD_WIDTH | DDSD_HEIGHT | DDSD_MIPMAPCOUNT,
           target().height(), target().width(), 1, D3DX_SF_A8R8G8B8};
  return DD_OK;
}
