#pragma once
// Texture stage settings that many parts share.
#include "render/d3d/device.h"

// Stage 0 colour = texture x diffuse, set in the order ARG1, ARG2, OP.
inline void SetColourTextureTimesDiffuse(IDirect3DDevice7* device) {
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
}
