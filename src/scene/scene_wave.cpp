#include "scene/scene_wave.h"

#include <cmath>

#include "demo/demo.h"
#include "render/d3dx/d3dx_maths.h"
#include "scene/scene_colour.h"
#include "scene/scene_vertex_buffer.h"

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kDiscScale = 0.982f;
constexpr D3DCOLOR kWhite = 0xFFFFFFFFu;

// The direction towards the light.
D3DXVECTOR3 LightDirection() {
  const D3DXVECTOR3 ray{0.4f, -0.4f, -0.1f};
  D3DXVECTOR3 direction;
  D3DXVec3Normalize(&direction, &ray);
  return {-direction.x, -direction.y, -direction.z};
}

D3DXVECTOR3 Normalized(float x, float y, float z) {
  const D3DXVECTOR3 v{x, y, z};
  D3DXVECTOR3 unit;
  D3DXVec3Normalize(&unit, &v);
  return unit;
}

// The surface normal of the ring vertex at (x, z), where the surface rises by `rise` per
// unit of radius.
D3DXVECTOR3 SurfaceNormal(float x, float z, float rise) {
  const D3DXVECTOR3 d = Normalized(x, 0, z);
  const D3DXVECTOR3 m = Normalized(d.x, rise, d.z);
  return Normalized(-m.y * m.x, m.x * m.x + m.z * m.z, -m.y * m.z);
}

// Eases (u, v) a tenth of the way towards the point of the texture that the reflection of
// the eye at `eye` in the surface with normal `normal` at `point` looks at.
void EaseTowardsReflection(SceneVertex& vertex, const D3DXVECTOR3& normal, const D3DXVECTOR3& point,
                           const D3DXVECTOR3& eye) {
  const D3DXVECTOR3 s = Normalized(eye.x - point.x, eye.y - point.y, eye.z - point.z);
  const float k2 = 2 * D3DXVec3Dot(&normal, &s);
  const D3DXVECTOR3 r{k2 * (normal.x - s.x), k2 * (normal.y - s.y), k2 * (normal.z - s.z)};
  const float mm = 2 * std::sqrt(r.x * r.x + r.y * r.y + (r.z + 1) * (r.z + 1));
  // A reflection straight back along -z has no place on the texture; aim at its centre.
  const float across = mm != 0.0f ? r.x / mm : 0.0f;
  const float down = mm != 0.0f ? -r.y / mm : 0.0f;
  vertex.u = (across + 0.5f) * 0.1f + vertex.u * 0.9f;
  vertex.v = (down + 0.5f) * 0.1f + vertex.v * 0.9f;
}

}  // namespace

CSceneWave::CSceneWave(const CNURBWave& node)
    : discSize_(node.FloatParameter(0) * kDiscScale), waveHeight_(node.FloatParameter(2)) {
  BuildIndices();
  buffer_ = CreateSceneVertexBuffer(kVertexCount, D3DVBCAPS_SYSTEMMEMORY);
  void* data = nullptr;
  if (buffer_ == nullptr || FAILED(buffer_->Lock(0, &data, nullptr))) return;
  WriteFlatDisc(static_cast<SceneVertex*>(data));
  buffer_->Unlock();
}

CSceneWave::~CSceneWave() { SafeRelease(buffer_); }

uint16_t CSceneWave::RingVertex(int k, int i) {
  return static_cast<uint16_t>(1 + kRingVertices * (k - 1) + i);
}

float CSceneWave::RingRadius(int k) const {
  return static_cast<float>(k) * discSize_ / (2.0f * kRings);
}

void CSceneWave::WriteFlatDisc(SceneVertex* vertices) const {
  vertices[0] = {0, 0, 0, kWhite, 0.5f, 0.5f};
  const float halfSize = discSize_ / 2;
  for (int k = 1; k <= kRings; ++k) {
    const float radius = RingRadius(k);
    for (int i = 0; i < kRingVertices; ++i) {
      const float angle = static_cast<float>(i) * kTwoPi / kRingVertices;
      const float x = radius * std::cos(angle);
      const float z = radius * std::sin(angle);
      // A disc of no size maps everything to the same texel.
      const float u = halfSize != 0.0f ? (x / halfSize + 1) * 1.5f : 1.5f;
      const float v = halfSize != 0.0f ? (z / halfSize + 1) * 1.5f : 1.5f;
      vertices[RingVertex(k, i)] = {x, 0, z, kWhite, u, v};
    }
  }
}

void CSceneWave::BuildIndices() {
  indices_.reserve(kIndexCount);
  for (int i = 0; i < kRingVertices; ++i) {
    const int next = (i + 1) % kRingVertices;
    indices_.insert(indices_.end(), {RingVertex(1, next), RingVertex(1, i), 0});
  }
  for (int k = 1; k < kRings; ++k) {
    for (int j = 0; j < kRingVertices; ++j) {
      const uint16_t o = RingVertex(k, j);
      const uint16_t n = RingVertex(k, (j + 1) % kRingVertices);
      const auto outer = [](uint16_t index) {
        return static_cast<uint16_t>(index + kRingVertices);
      };
      indices_.insert(indices_.end(), {outer(n), outer(o), o, n, outer(n), o});
    }
  }
}

void CSceneWave::Draw(float time, const CCamera* camera) {
  IDirect3DDevice7* device = g_d3dDevice;
  void* data = nullptr;
  if (buffer_ == nullptr || device == nullptr || FAILED(buffer_->Lock(0, &data, nullptr))) return;
  Animate(static_cast<SceneVertex*>(data), time, camera);
  buffer_->Unlock();

  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer_, 0, kVertexCount, indices_.data(),
                                 kIndexCount, 0);
  device->SetRenderState(D3DRENDERSTATE_FILLMODE, D3DFILL_SOLID);
}

void CSceneWave::Animate(SceneVertex* vertices, float time, const CCamera* camera) const {
  static const D3DXVECTOR3 light = LightDirection();
  const float amplitude = (std::sin(0.123434f * time) * 0.5f + 0.7f) * 0.323f;
  const float phase = 3.2f * time;

  vertices[0].y = (std::sin(-phase) + 1) * 0.5f * waveHeight_;
  vertices[0].u = vertices[0].v = 0.5f;
  for (int k = 1; k <= kRings; ++k) {
    const float theta = RingRadius(k) * amplitude - phase;
    const float slope = amplitude * std::cos(theta) * 0.5f;
    const float height = (std::sin(theta) + 1) * 0.5f * waveHeight_;
    for (int i = 0; i < kRingVertices; ++i) {
      SceneVertex& vertex = vertices[RingVertex(k, i)];
      vertex.y = height;
      const D3DXVECTOR3 normal = SurfaceNormal(vertex.x, vertex.z, slope * waveHeight_);
      // Faces turned away from the light are black.
      vertex.colour = OpaqueGrey(D3DXVec3Dot(&light, &normal));
      if (camera != nullptr) {
        EaseTowardsReflection(vertex, normal, {vertex.x, vertex.y, vertex.z}, camera->position);
      }
    }
  }
}
