#include "effects/tunnel_composite.h"

#include "demo/demo.h"
#include "demo/stage_states.h"
#include "effects/screen_quad.h"

namespace {

constexpr char kTitleTexture[] = "tunnel.png";
constexpr float kTitleEnds = 0.08f;        // of the part
constexpr float kShrinkRate = 156.25f;     // 1 / 0.08^2: the title is gone at kTitleEnds
constexpr float kLetterboxShare = 0.08f;   // of the screen's height, above and below

}  // namespace

CTunnelComposite::CTunnelComposite(CDemo* owner)
    : CPart(owner), tube_(owner), helix_(owner), shapes_(owner) {}

CTunnelComposite::~CTunnelComposite() { Release(); }

void CTunnelComposite::Init() {
  demo->textures()->LoadTexture(kTitleTexture, kDefaultTextureFormat, 0);
  holdsTitle_ = true;
  tube_.Init();
  helix_.Init();
  shapes_.Init();
}

void CTunnelComposite::Render(float t) {
  helix_.Render(t);
  if (t < kTitleEnds) DrawTitle(t);
  shapes_.Render(t);
}

void CTunnelComposite::DrawTitle(float t) {
  // At t = 0 the picture fills the width and the band between the letterbox bars; it
  // shrinks about the centre as it fades.
  const float size = 1.0f - kShrinkRate * t * t;
  const auto centreX = static_cast<float>(g_screenWidth / 2);
  const auto centreY = static_cast<float>(g_screenHeight / 2);
  const float halfHeight = (centreY - kLetterboxShare * static_cast<float>(g_screenHeight)) * size;
  const ScreenQuad title =
      MakeScreenQuad(centreX * (1.0f - size), centreY - halfHeight, centreX * (1.0f + size),
                     centreY + halfHeight, WithOpacity(size, 0xFFFFFFu));

  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  SetColourTextureTimesDiffuse(device);
  demo->textures()->SetTextureByName(0, kTitleTexture);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenVertexFormat, title.data(),
                        static_cast<DWORD>(title.size()), 0);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
}

void CTunnelComposite::Release() {
  if (holdsTitle_) demo->textures()->ReleaseTextureByName(kTitleTexture);
  holdsTitle_ = false;
  tube_.Release();
  helix_.Release();
  shapes_.Release();
}
