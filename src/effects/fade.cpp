#include "effects/fade.h"

#include <algorithm>

#include "demo/demo.h"
#include "effects/screen_quad.h"

namespace {
constexpr DWORD kFadeVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
}  // namespace

CFade::CFade(CDemo* owner) : CPart(owner) {}

CFade::CFade(CDemo* owner, FadeDirection direction, D3DCOLOR fadeColour)
    : CPart(owner), reversed(direction == FadeDirection::kFromColour), colour(fadeColour) {}

void CFade::Init() { Resize(); }

void CFade::Resize() {
  const float width = static_cast<float>(g_screenWidth);
  const float height = static_cast<float>(g_screenHeight);
  const float corners[6][2] = {{0, 0}, {width, 0}, {0, height},
                               {0, height}, {width, 0}, {width, height}};
  for (int i = 0; i < 6; ++i) quad_[i] = {corners[i][0], corners[i][1], 0, 1, colour};
}

void CFade::Render(float progress) {
  const float opacity = std::clamp(reversed ? 1.0f - progress : progress, 0.0f, 1.0f);
  for (FadeVertex& vertex : quad_) vertex.colour = WithOpacity(opacity, vertex.colour);

  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  // The opacity travels in the vertices' alpha, so it is selected from them too: with the
  // device's default alpha stage (the texture's alpha) and no texture bound, the colour
  // would cover the picture fully at every progress.
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  demo->textures()->SetTextureByName(0, "");
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kFadeVertexFormat, quad_, 6, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
}

void CFade::Release() {}
