#pragma once
// Texture creation and loading of the utility layer.
#include "render/d3d/device.h"

// Creates a texture surface as close to the request as the device allows. In: *flags
// (D3DX_TEXTURE_NOMIPMAP or 0), *width, *height, *format, *mipLevels (0 or D3DX_DEFAULT
// for a full chain); each out-pointer may be null where the caller has no wish. Out: the
// chosen size (every size is kept, clamped to the device's limit; a side of 0 becomes 1,
// one not given or D3DX_DEFAULT becomes 256), the chosen format (D3DX_SF_PALETTE4 and
// D3DX_SF_PALETTE8 become D3DX_SF_R5G6B5, as no device has palettes; no format or
// D3DX_SF_UNKNOWN becomes D3DX_SF_A8R8G8B8) and the number of mip levels made. `palette`
// must be null. D3DXERR_INVALIDPARAMETER for a device other than the OpenGL device, a
// palette or a format value beyond D3DX_SF_A4R4G4B4.
HRESULT D3DXCreateTexture(IDirect3DDevice7* device, DWORD* flags, DWORD* width, DWORD* height,
                          D3DX_SURFACEFORMAT* format, void* palette,
                          IDirectDrawSurface7** texture, DWORD* mipLevels);

// Converts `source` (pixels of `sourceFormat`, only D3DX_SF_A8R8G8B8 is read; pitch in
// bytes, 0 for tightly packed; row 0 is the top) into `texture`. `mipLevel` D3DX_DEFAULT
// fills every level, each made from the previous one with a box filter; otherwise only
// that level. The source covers `destRect` of the first level written (the whole level
// when null) and has that rectangle's size, so it lands pixel for pixel; with D3DX_DEFAULT
// each further level gets the same part of the picture. `filter` must be point, linear or
// default. D3DXERR_INVALIDPARAMETER for anything out of range (a rectangle outside the
// level, a pitch shorter than a row, a level the texture lacks, a palette).
HRESULT D3DXLoadTextureFromMemory(IDirect3DDevice7* device, IDirectDrawSurface7* texture,
                                  DWORD mipLevel, const void* source, void* palette,
                                  D3DX_SURFACEFORMAT sourceFormat, DWORD sourcePitch,
                                  const RECT* destRect, D3DX_FILTERTYPE filter);
