#include "effects/terrain_effect.h"

#include <bit>

#include "demo/demo.h"
#include "base/demo_error.h"
#include "effects/screen_quad.h"
#include "effects/terrain_flight.h"
#include "render/d3dx/d3dx_maths.h"

namespace {

constexpr char kRampTexture[] = "terrain.png";
constexpr char kDetailTexture[] = "detail.png";
constexpr char kCloudTexture[] = "clouds.png";
constexpr char kStripTexture[] = "ditp.png";
constexpr TextureFormat kStripTextureFormat = 10;  // ARGB 4444

// The sky: centre, vertical and horizontal radius (world units), segments and rings.
constexpr D3DVECTOR kSkyCentre{42.5f, -250.0f, 42.5f};
constexpr float kSkyHeight = 300.0f;
constexpr float kSkyRadius = 500.0f;
constexpr int kSkySegments = 64;
constexpr int kSkyRings = 64;
// The clouds turn this many radians about the apex over the part.
constexpr float kCloudTurn = 12.234234f;

// A strip is this fraction of the screen's width wide.
constexpr float kStripWidth = 0.12f;
// The picture's span along a strip in u, and its rows from the screen's edge (v = 0.95)
// to the inner edge (v = 0.05).
constexpr float kStripLength = 0.7f;
constexpr float kStripOuterV = 0.95f;
constexpr float kStripInnerV = 0.05f;

constexpr DWORD kStripVertexFvf = D3DFVF_XYZRHW | D3DFVF_TEX1;

DWORD FloatState(float value) { return std::bit_cast<DWORD>(value); }

}  // namespace

CTerrainEffect::CTerrainEffect(CDemo* owner) : CPart(owner) {}

CTerrainEffect::~CTerrainEffect() {
  if (holdsTextures_) Release();
}

void CTerrainEffect::Init() {
  HRESULT result = landscape.Build(u"land1.raw", kHeightmapColumns, kHeightmapRows,
                                   kLandscapeWidth, kLandscapeDepth, kLandscapeHeightScale);
  if (result == kHeightmapWrongSize) {
    throw demoError("Error loading terrain.: the entry holds " +
                    std::to_string(landscape.heightmap.size()) + " bytes, not " +
                    std::to_string(kHeightmapColumns * kHeightmapRows));
  }
  if (FAILED(result)) throw demoError("Error loading terrain.: " + ErrorText(result));

  CTextureManager* textures = demo->textures();
  textures->LoadTexture(kRampTexture, kDefaultTextureFormat, 0);
  textures->LoadTexture(kDetailTexture, kDefaultTextureFormat, 0);
  textures->LoadTexture(kCloudTexture, kDefaultTextureFormat, 0);
  textures->LoadTexture(kStripTexture, kStripTextureFormat, kTextureNoMipMaps);
  holdsTextures_ = true;

  eyes.assign(kFlightEyeKeys.begin(), kFlightEyeKeys.end());
  targets.assign(kFlightTargetKeys.begin(), kFlightTargetKeys.end());

  result = sky.Build(kSkyCentre, kSkyHeight, kSkyRadius, kSkySegments, kSkyRings);
  if (FAILED(result)) throw demoError("Error creating sky.: " + ErrorText(result));
  Resize();
}

void CTerrainEffect::Resize() { LayOutStrips(0); }

void CTerrainEffect::LayOutStrips(float t) {
  const float screenWidth = static_cast<float>(g_screenWidth);
  const float screenHeight = static_cast<float>(g_screenHeight);
  const float d = static_cast<float>(static_cast<int>(screenWidth * kStripWidth));
  const float top = t, bottom = t + kStripLength;
  // The left strip: u runs down it, v from the screen's edge inwards.
  strips[0] = {0, 0, 0, 1, top, kStripOuterV};
  strips[1] = {d, 0, 0, 1, top, kStripInnerV};
  strips[2] = {d, screenHeight, 0, 1, bottom, kStripInnerV};
  strips[3] = strips[0];
  strips[4] = strips[2];
  strips[5] = {0, screenHeight, 0, 1, bottom, kStripOuterV};
  // The right strip: u runs up it, v again from the screen's edge inwards.
  strips[6] = {screenWidth - d, 0, 0, 1, bottom, kStripInnerV};
  strips[7] = {screenWidth, 0, 0, 1, bottom, kStripOuterV};
  strips[8] = {screenWidth, screenHeight, 0, 1, top, kStripOuterV};
  strips[9] = strips[6];
  strips[10] = strips[8];
  strips[11] = {screenWidth - d, screenHeight, 0, 1, top, kStripInnerV};
}

void CTerrainEffect::Render(float progress) {
  CPart::Render(progress);
  PlaceCamera(progress);
  DrawLandscape();
  DrawSky(progress);
  LayOutStrips(progress);
  DrawStrips();
}

void CTerrainEffect::PlaceCamera(float t) const {
  const D3DVECTOR eye = FlightSpline(eyes, t);
  const D3DVECTOR target = FlightSpline(targets, t);
  const D3DVECTOR up{0, 1, 0};
  D3DXMATRIX matrix;
  D3DXMatrixLookAtLH(&matrix, &eye, &target, &up);
  g_d3dDevice->SetTransform(D3DTRANSFORMSTATE_VIEW, &matrix);
  D3DXMatrixIdentity(&matrix);
  g_d3dDevice->SetTransform(D3DTRANSFORMSTATE_WORLD, &matrix);
}

// The ramp picked by height, modulated by the baked light, times the detail grain.
void CTerrainEffect::DrawLandscape() const {
  CTextureManager* textures = demo->textures();
  textures->SetTextureByName(0, kRampTexture);
  textures->SetTextureByName(1, kDetailTexture);
  if (demo->context() != nullptr) demo->context()->SetClearColor(0);

  IDirect3DDevice7* device = g_d3dDevice;
  // Fog is prepared but stays off.
  device->SetRenderState(D3DRENDERSTATE_FOGCOLOR, 0);
  device->SetRenderState(D3DRENDERSTATE_FOGTABLEMODE, D3DFOG_LINEAR);
  device->SetRenderState(D3DRENDERSTATE_FOGSTART, FloatState(0.0f));
  device->SetRenderState(D3DRENDERSTATE_FOGEND, FloatState(30.0f));
  device->SetRenderState(D3DRENDERSTATE_FOGENABLE, 0);

  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
  device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  device->SetTextureStageState(2, D3DTSS_COLOROP, D3DTOP_DISABLE);
  device->SetTextureStageState(2, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
  device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CW);

  landscape.Draw(device);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}

// The clouds turn about the apex as the part runs; culling is still off.
void CTerrainEffect::DrawSky(float t) const {
  demo->textures()->SetTextureByName(1, "");
  demo->textures()->SetTextureByName(0, kCloudTexture);
  D3DXMATRIX turn;
  D3DXMatrixRotationZ(&turn, kCloudTurn * t);
  IDirect3DDevice7* device = g_d3dDevice;
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  device->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, &turn);
  device->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, sky.vertexBuffer, 0, sky.vertexCount,
                                 sky.indices.data(), static_cast<DWORD>(sky.indices.size()), 0);
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
}

// Blended by the picture's alpha over everything, without depth. Blending stays on and
// lighting off afterwards.
void CTerrainEffect::DrawStrips() const {
  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  SetOverlayStates(device);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);

  demo->textures()->SetTextureByName(0, kStripTexture);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kStripVertexFvf, strips, 12, 0);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CW);
}

void CTerrainEffect::Release() {
  CTextureManager* textures = demo->textures();
  for (const char* texture : {kRampTexture, kDetailTexture, kCloudTexture, kStripTexture}) {
    textures->ReleaseTextureByName(texture);
  }
  holdsTextures_ = false;
  landscape.Release();
  sky.Release();
}
