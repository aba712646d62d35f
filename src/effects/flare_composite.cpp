#include "effects/flare_composite.h"

#include <cmath>

#include "demo/demo.h"
#include "base/demo_error.h"
#include "demo/demo_random.h"
#include "demo/stage_states.h"
#include "effects/screen_quad.h"
#include "render/d3dx/d3dx_maths.h"
#include "render/d3d/result.h"

namespace {

constexpr char kBackgroundTexture[] = "f2back.png";
constexpr char kFlareTexture[] = "darkFlare.png";
constexpr float kPi = 3.14159265f;
constexpr float kRayStep = kPi * 0.001953125f;  // radians per step of the 1024 directions
constexpr float kFlareSpeed = 3.2133119f;       // screen widths per unit of part time
constexpr float kLaunchSpread = 0.12f;    // of the speed: how far along its ray a flare starts
constexpr float kLargestFlare = 0.0625f;  // half size at a corner, of the screen's width and height

// A random whole number 0..1023.
int Random1024() { return DemoRand() % 1024; }

float HalfWidth() { return static_cast<float>(g_screenWidth / 2); }
float HalfHeight() { return static_cast<float>(g_screenHeight / 2); }

// The sprite from (x0, y0) to (x1, y1), textured from (0, 0) at (x0, y0) to (1, 1) at (x1, y1).
void WriteSprite(FlareVertex* out, float x0, float y0, float x1, float y1) {
  out[0] = {x0, y0, 0, 1, 0, 0};
  out[1] = {x1, y0, 0, 1, 1, 0};
  out[2] = {x0, y1, 0, 1, 0, 1};
  out[3] = out[2];
  out[4] = out[1];
  out[5] = {x1, y1, 0, 1, 1, 1};
}

}  // namespace

float CFlareComposite::previousTime = 0;

float FlareScale(float x, float y, DWORD width, DWORD height) {
  const auto cx = static_cast<float>(width / 2), cy = static_cast<float>(height / 2);
  return std::hypot(x - cx, y - cy) / std::sqrt(cx * cx + cy * cy);
}

CFlareComposite::CFlareComposite(CDemo* owner) : CPart(owner), blobs_(owner) {}

CFlareComposite::~CFlareComposite() {
  if (holdsTextures_) Release();
  SafeRelease(flareBuffer_);
}

void CFlareComposite::Init() {
  demo->textures()->LoadTexture(kBackgroundTexture, kDefaultTextureFormat, kTextureNoMipMaps);
  demo->textures()->LoadTexture(kFlareTexture, kAlphaTextureFormat, 0);
  holdsTextures_ = true;
  blobs_.Init();

  SafeRelease(flareBuffer_);
  const D3DVERTEXBUFFERDESC description{sizeof(D3DVERTEXBUFFERDESC), D3DVBCAPS_SYSTEMMEMORY,
                                        kFlareVertexFormat, kFlareBufferVertices};
  if (const HRESULT result = g_d3d->CreateVertexBuffer(&description, &flareBuffer_, 0);
      FAILED(result)) {
    flareBuffer_ = nullptr;
    throw demoError("Error creating VB: " + ErrorText(result));
  }

  WriteStartingSprites();
  const float cx = HalfWidth(), cy = HalfHeight();
  for (Flare& flare : flares_) {
    Launch(flare);
    const float along = static_cast<float>(Random1024()) / 1024.0f * kLaunchSpread;
    flare.position = {cx + flare.velocity.x * along, cy + flare.velocity.y * along, 0};
  }
  scattered_ = flares_;
  Resize();
}

void CFlareComposite::Rewind() {
  flares_ = scattered_;
  previousTime = 0;
  WriteStartingSprites();
}

void CFlareComposite::WriteStartingSprites() {
  const float cx = HalfWidth(), cy = HalfHeight();
  void* data = nullptr;
  if (SUCCEEDED(flareBuffer_->Lock(0, &data, nullptr))) {
    auto* vertices = static_cast<FlareVertex*>(data);
    const auto eighthWidth = static_cast<float>(g_screenWidth / 8);
    const auto eighthHeight = static_cast<float>(g_screenHeight / 8);
    // The fixed centre sprite, a quarter of the screen each way, its picture upside down.
    WriteSprite(vertices, cx - eighthWidth, cy + eighthHeight, cx + eighthWidth, cy - eighthHeight);
    // Until a flare is first placed its sprite is a point at the centre, so a flare that
    // starts off the screen and is relaunched at once never draws undefined vertices.
    for (int k = 0; k < kFlareCount; ++k) WriteSprite(vertices + 6 + 6 * k, cx, cy, cx, cy);
    flareBuffer_->Unlock();
  }
}

void CFlareComposite::Launch(Flare& flare) const {
  const float angle = static_cast<float>(Random1024()) * kRayStep;
  const float speed = kFlareSpeed * static_cast<float>(g_screenWidth);
  flare.velocity = {speed * std::cos(angle), speed * std::sin(angle), 0};
  flare.position = {HalfWidth(), HalfHeight(), 0};
}

void CFlareComposite::Resize() { blobs_.Resize(); }

void CFlareComposite::Render(float t) {
  const float elapsed = t - previousTime;
  previousTime = t;
  CPart::Render(t);

  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_FOGENABLE, 0);
  const D3DXVECTOR3 eye{0, 0, -60}, target{0, 0, 0}, up{0, 1, 0};
  D3DXMATRIX view, projection, world;
  D3DXMatrixLookAtLH(&view, &eye, &target, &up);
  D3DXMatrixPerspectiveFovLH(&projection, 1.5707964f,
                             static_cast<float>(g_screenHeight) / static_cast<float>(g_screenWidth),
                             0.1f, 5000.0f);
  D3DXMatrixIdentity(&world);
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
  DrawBackground(t);

  D3DXMatrixIdentity(&view);
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  demo->textures()->SetTextureByName(0, kFlareTexture);
  DrawFlares(elapsed);

  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1);
  blobs_.Render(t);
}

void CFlareComposite::DrawBackground(float t) {
  IDirect3DDevice7* device = g_d3dDevice;
  demo->textures()->SetTextureByName(0, kBackgroundTexture);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  SetColourTextureTimesDiffuse(device);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);

  // A slow pulse of the grey, with a random flicker of up to 40 % every frame.
  const float flicker = static_cast<float>(Random1024()) * 0.000390625f + 0.6f;
  const auto grey =
      static_cast<DWORD>(255.0f * (0.1f + 0.6f * 0.5f * flicker * (std::sin(52.0f * t) + 1.0f)));
  const D3DCOLOR colour = 0xFF000000u | grey << 16 | grey << 8 | grey;
  ScreenQuad quad = MakeScreenQuad(0, 0, static_cast<float>(g_screenWidth),
                                   static_cast<float>(g_screenHeight), colour);
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenVertexFormat, quad.data(), 6, 0);
}

void CFlareComposite::DrawFlares(float elapsed) {
  const float width = static_cast<float>(g_screenWidth),
              height = static_cast<float>(g_screenHeight);
  void* data = nullptr;
  FlareVertex* vertices =
      SUCCEEDED(flareBuffer_->Lock(0, &data, nullptr)) ? static_cast<FlareVertex*>(data) : nullptr;
  for (int k = 0; k < kFlareCount; ++k) {
    Flare& flare = flares_[k];
    D3DVECTOR& p = flare.position;
    p = {p.x + flare.velocity.x * elapsed, p.y + flare.velocity.y * elapsed, 0};
    if (p.x < 0 || p.x > width || p.y < 0 || p.y > height) {
      // Its sprite keeps last frame's place for this one frame.
      Launch(flare);
      continue;
    }
    if (vertices == nullptr) continue;
    const float scale = FlareScale(p.x, p.y, g_screenWidth, g_screenHeight);
    const float halfWidth = scale * width * kLargestFlare;
    const float halfHeight = scale * height * kLargestFlare;
    WriteSprite(vertices + 6 + 6 * k, p.x - halfWidth, p.y - halfHeight, p.x + halfWidth,
                p.y + halfHeight);
  }
  if (vertices != nullptr) flareBuffer_->Unlock();
  g_d3dDevice->DrawPrimitiveVB(D3DPT_TRIANGLELIST, flareBuffer_, 0, kFlareBufferVertices, 0);
}

void CFlareComposite::Release() {
  demo->textures()->ReleaseTextureByName(kBackgroundTexture);
  demo->textures()->ReleaseTextureByName(kFlareTexture);
  holdsTextures_ = false;
  blobs_.Release();
}
