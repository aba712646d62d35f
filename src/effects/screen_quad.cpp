#include "effects/screen_quad.h"

#include <algorithm>

#include "demo/stage_states.h"
#include "render/d3d/device.h"

ScreenQuad MakeScreenQuad(float left, float top, float right, float bottom, D3DCOLOR colour) {
  return {{{left, top, 0, 1, colour, 0, 0},
           {right, top, 0, 1, colour, 1, 0},
           {left, bottom, 0, 1, colour, 0, 1},
           {left, bottom, 0, 1, colour, 0, 1},
           {right, top, 0, 1, colour, 1, 0},
           {right, bottom, 0, 1, colour, 1, 1}}};
}

D3DCOLOR WithOpacity(float opacity, D3DCOLOR rgb) {
  // Truncated toward zero, and kept inside the byte should rounding carry an opacity
  // just past its range.
  const auto alpha = static_cast<DWORD>(std::clamp(static_cast<int>(opacity * 255.0f), 0, 255));
  return (alpha << 24) | (rgb & 0x00FFFFFFu);
}

void SetOverlayStates(IDirect3DDevice7* device) {
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  SetColourTextureTimesDiffuse(device);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
}
