#include "render/d3d/device.h"

// What a surface kind does not support answers DDERR_UNSUPPORTED.

HRESULT IDirectDrawSurface7::GetBltStatus(DWORD) { return DDERR_UNSUPPORTED; }

HRESULT IDirectDrawSurface7::GetSurfaceDesc(DDSURFACEDESC2*) { return DDERR_UNSUPPORTED; }

HRESULT IDirectDrawSurface7::Blt(const RECT*, IDirectDrawSurface7*, const RECT*, DWORD, void*) {
  return DDERR_UNSUPPORTED;
}
