#include "effects/vent_shaft_effect.h"

#include <cmath>
#include <numbers>

#include "demo/demo.h"
#include "demo/stage_states.h"
#include "render/d3dx/d3dx_maths.h"
#include "scene/scene_colour.h"

namespace {

constexpr char kWallTexture[] = "vent_shaft.png";
constexpr char kGratingTexture[] = "fence.png";

// Depth units: the shaft reaches this far ahead of the camera, and the slices travel this
// far per unit of part progress.
constexpr float kShaftLength = 30.0f;
constexpr float kSpeed = 30.705f;
// The ring template's radius, and the grating's scale of it (radius 2.4).
constexpr float kWallRadius = 3.0f;
constexpr float kGratingScale = 0.8f;
// The wall texture's repeats around the shaft, and along it per depth unit.
constexpr float kWallRepeatsAround = 4.0f;
constexpr float kWallRepeatsPerDepth = 0.13333334f;
// The grating repeats this much more densely both ways, and sways at this rate (radians
// per unit of progress).
constexpr float kGratingDensity = 4.0f;
constexpr float kGratingSway = 25.0f;
// The camera looks toward the centre line this far ahead.
constexpr float kLookAhead = kShaftLength * 0.8f;

constexpr DWORD kShaftVertexCount = kShaftSlices * kShaftSliceVertices;
constexpr DWORD kShaftIndexCount = kShaftSlices * kShaftSliceIndices;

}  // namespace

float CVentShaftEffect::previousTime = 0;
float CVentShaftEffect::currentTime = 0;

D3DVECTOR ShaftCentre(float z, float t) {
  const float w = (z / kShaftLength) * 3.0f + 15.0f * t;
  return {std::cos(0.2324234f * w) * std::cos(w) * 6.0f,
          std::sin(1.234234f * w) * std::sin(w) * 5.0f, z};
}

void AdvanceSlice(ShaftSlice& slice, float travel) {
  slice.front -= travel;
  slice.back -= travel;
  if (slice.back < 0) {
    const float length = slice.back - slice.front;
    slice.back += kShaftLength;
    slice.front = slice.back - length;
  }
}

CVentShaftEffect::CVentShaftEffect(CDemo* owner) : CPart(owner) {}

CVentShaftEffect::~CVentShaftEffect() {
  if (holdsTextures_) Release();
}

void CVentShaftEffect::Init() {
  constexpr int kLast = kShaftRingPositions - 1;
  for (int k = 0; k < kShaftRingPositions; ++k) {
    const float angle =
        static_cast<float>(k) * (1.0f / kLast) * 2.0f * std::numbers::pi_v<float>;
    const float u = static_cast<float>(k) / kLast * kWallRepeatsAround;
    const float x = kWallRadius * std::cos(angle), y = kWallRadius * std::sin(angle);
    ringTemplate_[2 * k] = {x, y, 0, 0xFFFFFFFFu, u, 0};
    ringTemplate_[2 * k + 1] = {x, y, 0, 0xFFFFFFFFu, u, 1};
  }
  PlaceSlicesAtStart();
  demo->textures()->LoadTexture(kWallTexture, kDefaultTextureFormat, 0);
  demo->textures()->LoadTexture(kGratingTexture, kAlphaTextureFormat, 0);
  holdsTextures_ = true;
}

void CVentShaftEffect::PlaceSlicesAtStart() {
  constexpr float kSliceStep = 0.033333335f;  // of the shaft's length
  for (int i = 0; i < kShaftSlices; ++i) {
    slices[i] = {static_cast<float>(i) * kSliceStep * kShaftLength,
                 static_cast<float>(i + 1) * kSliceStep * kShaftLength};
  }
}

void CVentShaftEffect::Rewind() {
  PlaceSlicesAtStart();
  previousTime = 0;
  currentTime = 0;
}

void CVentShaftEffect::BuildSlice(int slice, float scale) {
  const int base = kShaftSliceVertices * slice;
  const float t = currentTime;
  const float depths[2] = {slices[slice].front, slices[slice].back};
  for (int k = 0; k < kShaftRingPositions; ++k) {
    for (int end = 0; end < 2; ++end) {
      const SceneVertex& shape = ringTemplate_[2 * k + end];
      const float z = depths[end];
      const D3DVECTOR centre = ShaftCentre(z, t);
      SceneVertex& vertex = vertices[base + 2 * k + end];
      // Bright at the camera, black at the far end; a frame's travel outside 0..30 keeps
      // the nearer end's grey.
      const D3DCOLOR fade = OpaqueGrey(1.0f - z / kShaftLength);
      vertex = {scale * shape.x + centre.x, scale * shape.y + centre.y, z, fade, shape.u,
                z * kWallRepeatsPerDepth + kSpeed * t};
      if (scale != 1.0f) {
        vertex.u = (std::sin(kGratingSway * t) + vertex.u) * kGratingDensity;
        vertex.v *= kGratingDensity;
      }
    }
  }
  // Two triangles join each ring position to the next; the last pair joins position 24
  // to position 0, which lie on top of each other.
  uint16_t* out = &indices[static_cast<size_t>(kShaftSliceIndices * slice)];
  const auto at = [base](int offset) {
    return static_cast<uint16_t>(base + offset % kShaftSliceVertices);
  };
  for (int q = 0; q < kShaftRingPositions; ++q) {
    const uint16_t front = at(2 * q), back = at(2 * q + 1);
    const uint16_t nextFront = at(2 * q + 2), nextBack = at(2 * q + 3);
    for (const uint16_t index : {front, back, nextBack, front, nextBack, nextFront}) {
      *out++ = index;
    }
  }
}

void CVentShaftEffect::BuildAllSlices(float scale) {
  for (int slice = 0; slice < kShaftSlices; ++slice) BuildSlice(slice, scale);
}

void CVentShaftEffect::Render(float progress) {
  CPart::Render(progress);
  const float dt = progress - previousTime;
  previousTime = progress;
  currentTime = progress;

  if (demo->context() != nullptr) demo->context()->SetClearColor(0);
  D3DXMATRIX world;
  D3DXMatrixIdentity(&world);
  g_d3dDevice->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);

  vertices.resize(kShaftVertexCount);
  indices.resize(kShaftIndexCount);
  for (int slice = 0; slice < kShaftSlices; ++slice) {
    AdvanceSlice(slices[slice], kSpeed * dt);
    BuildSlice(slice, 1.0f);
  }
  PlaceCamera();
  DrawWalls();
  DrawGrating();
}

// On the centre line at the camera's depth, looking down the shaft. The view is turned on
// its side (up is nearly -x) and banks as the centre line swings.
void CVentShaftEffect::PlaceCamera() const {
  const D3DVECTOR eye = ShaftCentre(0, currentTime);
  const D3DVECTOR ahead = ShaftCentre(kLookAhead, currentTime);
  const D3DVECTOR target{eye.x + ahead.x, eye.y + ahead.y, eye.z + ahead.z};
  D3DVECTOR up{-kLookAhead - eye.x, -eye.y, 0.01f};
  D3DXVec3Normalize(&up, &up);
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &eye, &target, &up);
  g_d3dDevice->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
}

void CVentShaftEffect::DrawWalls() {
  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
  SetColourTextureTimesDiffuse(device);
  demo->textures()->SetTextureByName(0, kWallTexture);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kSceneVertexFvf, vertices.data(),
                               kShaftVertexCount, indices.data(), kShaftIndexCount, 0);
}

// The same slices again, narrower, blended by the grating's alpha without writing depth.
void CVentShaftEffect::DrawGrating() {
  IDirect3DDevice7* device = g_d3dDevice;
  demo->textures()->SetTextureByName(0, kGratingTexture);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  BuildAllSlices(kGratingScale);
  device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kSceneVertexFvf, vertices.data(),
                               kShaftVertexCount, indices.data(), kShaftIndexCount, 0);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1);
}

void CVentShaftEffect::Release() {
  demo->textures()->ReleaseTextureByName(kWallTexture);
  demo->textures()->ReleaseTextureByName(kGratingTexture);
  holdsTextures_ = false;
}
