#include "effects/particle_title.h"

#include <cmath>

#include "demo/demo.h"
#include "base/demo_error.h"
#include "demo/stage_states.h"
#include "render/d3dx/d3dx_maths.h"
#include "render/d3d/result.h"
#include "scene/scene_vertex.h"

namespace {

constexpr char kFlareTexture[] = "flare.png";

// A segment of the title: from `time` (a fraction of the part) the scene plays frames
// `firstFrame` to `lastFrame` over 0.1 of the part.
struct TitleKey {
  float time;
  int firstFrame, lastFrame;
};
constexpr TitleKey kKeys[] = {
    {0.073061787f, 0, 20},    {0.17689863f, 100, 120}, {0.29465806f, 200, 220},
    {0.40515399f, 300, 320},  {0.52365458f, 400, 420}, {0.63705271f, 500, 520},
    {0.75698483f, 600, 620},
};
constexpr float kSegmentLength = 0.1f;
constexpr float kFrameToProgress = 0.0014285714f;  // 700 scene frames span the scene
constexpr float kBeforeFirstKey = 0.00001f;

constexpr float kSceneAppears = 0.033422995f;  // the scene is drawn after this
constexpr float kSwirlBegins = 0.005f;         // the swirl is drawn strictly between these
constexpr float kSwirlEnds = 0.083422996f;

constexpr int kArms = 8;
constexpr int kSpritesPerArm = 160;
constexpr D3DCOLOR kOpaqueWhite = 0xFFFFFFFFu;

// The sprite (a 1 x 1 square facing the camera) whose top-right corner is (j, y, z).
void WriteSprite(SceneVertex* out, float j, float y, float z) {
  out[0] = {j, y, z, kOpaqueWhite, 0, 0};
  out[1] = {j, y + 1, z, kOpaqueWhite, 1, 0};
  out[2] = {j - 1, y, z, kOpaqueWhite, 0, 1};
  out[3] = out[2];
  out[4] = out[1];
  out[5] = {j - 1, y + 1, z, kOpaqueWhite, 1, 1};
}

// Fills the swirl at phase `phase`: eight helices about the x axis whose radius pulses
// along their length, sliding toward -x as the phase grows.
void WriteSwirl(SceneVertex* vertices, double phase) {
  const auto f = static_cast<float>(phase);
  for (int arm = 0; arm < kArms; ++arm) {
    const float armAngle = static_cast<float>(arm) * 0.7853982f;
    for (int n = 0; n < kSpritesPerArm; ++n) {
      const float j = 10.0f - 180.0f * f + static_cast<float>(n) * 0.5f;
      const float radius = (std::sin(j * 0.5f + 90.0f * f + 50.265484f * f) * 5.0f + 12.0f) *
                           0.25f * (std::sin(j * 0.2f) + 1.5f);
      const float angle = armAngle + j * 0.5f + f;
      WriteSprite(vertices + (arm * kSpritesPerArm + n) * 6, j, radius * std::cos(angle),
                  radius * std::sin(angle));
    }
  }
}

}  // namespace

float TitleSceneProgress(float t) {
  int keys = 0;
  while (keys < static_cast<int>(std::size(kKeys)) && kKeys[keys].time <= t) ++keys;
  if (keys == 0) return kBeforeFirstKey;
  const TitleKey& key = kKeys[keys - 1];
  const float since = t - key.time;
  if (since > kSegmentLength) return static_cast<float>(key.lastFrame + 1) * kFrameToProgress;
  return (static_cast<float>(key.firstFrame) +
          since * 10.0f * static_cast<float>(key.lastFrame - key.firstFrame)) *
         kFrameToProgress;
}

CParticleTitle::CParticleTitle(CDemo* owner)
    : CPart(owner), scene_(owner, "text.hrn", 0, 0.0f, 0.0f) {}

CParticleTitle::~CParticleTitle() {
  if (holdsFlare_) Release();
}

void CParticleTitle::Init() {
  SafeRelease(sprites_);
  const D3DVERTEXBUFFERDESC description{sizeof(D3DVERTEXBUFFERDESC), D3DVBCAPS_SYSTEMMEMORY,
                                        kSceneVertexFvf, kTitleSwirlVertices};
  if (const HRESULT result = g_d3d->CreateVertexBuffer(&description, &sprites_, 0);
      FAILED(result)) {
    sprites_ = nullptr;
    throw demoError("Error creating particle vb: " + ErrorText(result));
  }
  vertexCount = kTitleSwirlVertices;
  demo->textures()->LoadTexture(kFlareTexture, kDefaultTextureFormat, 0);
  holdsFlare_ = true;
  scene_.Init();
}

void CParticleTitle::Rewind() { scene_.Rewind(); }

void CParticleTitle::Render(float progress) {
  CPart::Render(progress);
  if (progress > kSceneAppears) scene_.Render(TitleSceneProgress(progress));
  if (kSwirlBegins < progress && progress < kSwirlEnds) DrawSwirl(progress);
}

void CParticleTitle::DrawSwirl(float progress) {
  const double phase = (progress - 0.01f) * 11.987102438231483;
  D3DXMATRIX view, world;
  D3DXMatrixIdentity(&view);
  D3DXMatrixTranslation(&world, 0, 0, 15);
  IDirect3DDevice7* device = g_d3dDevice;
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);

  demo->textures()->SetTextureByName(0, kFlareTexture);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
  SetColourTextureTimesDiffuse(device);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE);
  SetColourTextureTimesDiffuse(device);

  void* data = nullptr;
  if (FAILED(sprites_->Lock(DDLOCK_WRITEONLY, &data, nullptr))) return;
  WriteSwirl(static_cast<SceneVertex*>(data), phase);
  sprites_->Unlock();
  device->DrawPrimitiveVB(D3DPT_TRIANGLELIST, sprites_, 0, kTitleSwirlVertices, 0);
}

void CParticleTitle::Release() {
  SafeRelease(sprites_);
  vertexCount = 0;
  demo->textures()->ReleaseTextureByName(kFlareTexture);
  holdsFlare_ = false;
  scene_.Release();
}
