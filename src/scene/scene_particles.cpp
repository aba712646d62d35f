#include "scene/scene_particles.h"

#include <algorithm>
#include <cmath>

#include "demo/demo.h"
#include "render/d3dx/d3dx_maths.h"
#include "scene/scene_colour.h"
#include "demo/stage_states.h"
#include "scene/scene_vertex_buffer.h"

namespace {

float RandomFraction(ParticleRandom random) {
  return static_cast<float>(random() % 1024) / 1024.0f;
}

bool Within(float value, float low, float high) { return value >= low && value <= high; }

// value / halfExtent, or 0 for a box that is flat along that axis.
float ShareOfHalf(float value, float extent) {
  const float half = extent / 2;
  return half != 0.0f ? value / half : 0.0f;
}

D3DXVECTOR3 Scaled(const D3DXVECTOR4& direction, float size) {
  return {direction.x * size, direction.y * size, direction.z * size};
}

SceneVertex Corner(const D3DXVECTOR3& p, D3DCOLOR colour, float u, float v) {
  return {p.x, p.y, p.z, colour, u, v};
}

D3DXVECTOR3 Plus(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

}  // namespace

CSceneParticles::CSceneParticles(const CParticleSystem& node, ParticleRandom random)
    : boxWidth_(node.FloatParameter(0)),
      boxHeight_(node.FloatParameter(1)),
      boxDepth_(node.FloatParameter(2)),
      gravity_(node.FloatParameter(3)),
      size_(node.FloatParameter(5)),
      random_(random),
      particles_(std::min(node.IntegerParameter(4), kMaxParticles)) {
  if (!particles_.empty()) {
    buffer_ =
        CreateSceneVertexBuffer(static_cast<DWORD>(particles_.size() * 6), D3DVBCAPS_SYSTEMMEMORY);
  }
}

CSceneParticles::~CSceneParticles() { SafeRelease(buffer_); }

void CSceneParticles::Update(float particleTime) {
  if (lastTime_ < 0.0f) {
    lastTime_ = particleTime;
    return;
  }
  const float dt = particleTime - lastTime_;
  lastTime_ = particleTime;
  for (Particle& particle : particles_) {
    if (particle.alive) {
      MoveLiving(particle, dt);
    } else {
      Bear(particle);
    }
  }
}

void CSceneParticles::Rewind() {
  lastTime_ = -1.0f;
  std::fill(particles_.begin(), particles_.end(), Particle{});
}

void CSceneParticles::MoveLiving(Particle& particle, float dt) const {
  particle.life -= dt;
  if (particle.life < 0.0f) particle.alive = false;
  D3DXVECTOR3& p = particle.position;
  D3DXVECTOR3& v = particle.velocity;
  p.x += v.x * dt;
  p.y += v.y * dt;
  p.z += v.z * dt;
  v.y -= gravity_ * dt;
  const bool inside = Within(p.x, -boxWidth_ / 2, boxWidth_ / 2) && Within(p.y, 0.0f, boxHeight_) &&
                      Within(p.z, -boxDepth_ / 2, boxDepth_ / 2);
  if (!inside) particle.alive = false;
}

void CSceneParticles::Bear(Particle& particle) const {
  particle.position = {0, 0, 0};
  particle.alive = true;
  const float f1 = RandomFraction(random_);
  const float f2 = RandomFraction(random_);
  const float f3 = RandomFraction(random_);
  particle.velocity = {boxWidth_ * (f2 - 0.5f), boxHeight_ * (f1 - 0.5f) * 2,
                       boxDepth_ * (f3 - 0.5f)};
  particle.life = particle.initialLife = kLife;
}

void CSceneParticles::Draw(float time, const CCamera*) {
  Update(time * kTimeScale);
  IDirect3DDevice7* device = g_d3dDevice;
  if (buffer_ == nullptr || device == nullptr) return;
  void* data = nullptr;
  if (FAILED(buffer_->Lock(0, &data, nullptr))) return;

  // The view's axes in the node's space, without the view's translation: the squares
  // face the camera.
  D3DXMATRIX view;
  device->GetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  view.m[3][0] = view.m[3][1] = view.m[3][2] = 0.0f;
  D3DXMatrixInverse(&view, nullptr, &view);
  const D3DXVECTOR3 left{-1, 0, 0}, upward{0, 1, 0};
  D3DXVECTOR4 sideDirection, upDirection;
  D3DXVec3Transform(&sideDirection, &left, &view);
  D3DXVec3Transform(&upDirection, &upward, &view);

  const DWORD vertexCount = WriteSquares(static_cast<SceneVertex*>(data),
                                         Scaled(sideDirection, size_), Scaled(upDirection, size_));
  buffer_->Unlock();
  SetColourTextureTimesDiffuse(device);
  if (vertexCount > 0) device->DrawPrimitiveVB(D3DPT_TRIANGLELIST, buffer_, 0, vertexCount, 0);
}

DWORD CSceneParticles::WriteSquares(SceneVertex* vertices, const D3DXVECTOR3& side,
                                    const D3DXVECTOR3& up) const {
  DWORD written = 0;
  for (const Particle& particle : particles_) {
    if (!particle.alive) continue;
    const D3DXVECTOR3& p = particle.position;
    const float x = ShareOfHalf(p.x, boxWidth_);
    const float z = ShareOfHalf(p.z, boxDepth_);
    const D3DCOLOR colour = OpaqueGrey(1.0f - std::sqrt(x * x + z * z));
    SceneVertex* square = vertices + written;
    square[0] = Corner(p, colour, 1, 1);
    square[1] = Corner(Plus(p, up), colour, 1, 0);
    square[2] = Corner(Plus(p, side), colour, 0, 1);
    square[3] = square[2];
    square[4] = square[1];
    square[5] = Corner(Plus(Plus(p, side), up), colour, 0, 0);
    written += 6;
  }
  return written;
}
