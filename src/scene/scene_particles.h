#pragma once
// CSceneParticles: the drawable of a particle-system node. A fixed pool of particles springs
// from the node's origin with random velocities, falls under a constant gravity, dies when
// it leaves its box or after a fixed life, and is born again at the origin. Particles are
// drawn as camera-facing textured squares that grow darker towards the box's sides. All
// coordinates are in the node's own space.
#include <vector>

#include "demo/demo_random.h"
#include "render/d3d/device.h"
#include "scene/scene_drawable.h"
#include "scene/scene_node.h"
#include "scene/scene_vertex.h"

// The source of the 15-bit random values that give a newborn particle its velocity.
using ParticleRandom = int (*)();

class CSceneParticles final : public SceneDrawable {
 public:
  // Scene seconds to particle time.
  static constexpr float kTimeScale = 4.324234f;
  // Particle time a newborn particle lives for.
  static constexpr float kLife = 6.5f;
  // A pool never holds more particles than one draw can show (six vertices each).
  static constexpr uint32_t kMaxParticles = kMaxSceneBufferVertices / 6;

  struct Particle {
    bool alive = false;
    D3DXVECTOR3 position{0, 0, 0};
    D3DXVECTOR3 velocity{0, 0, 0};
    float life = 0;
    float initialLife = 0;
  };

  // Box width, height and depth, gravity, particle count (held to kMaxParticles) and square
  // size come from the node's six parameters. Every particle starts dead.
  explicit CSceneParticles(const CParticleSystem& node, ParticleRandom random = DemoRand);
  ~CSceneParticles() override;
  CSceneParticles(const CSceneParticles&) = delete;
  CSceneParticles& operator=(const CSceneParticles&) = delete;

  // Moves the pool to particle time `time * kTimeScale` and draws every live particle.
  void Draw(float time, const CCamera* camera) override;
  // Moves the pool to `particleTime`. The first call only starts the clock; after that the
  // live particles move, fall and die, and the dead are born again (they move from the
  // next call on). Time may run backwards.
  void Update(float particleTime);
  // Every particle dead again and the clock not started, as built.
  void Rewind() override;

  const std::vector<Particle>& Particles() const { return particles_; }

 private:
  void MoveLiving(Particle& particle, float dt) const;
  void Bear(Particle& particle) const;
  // Writes the six vertices of every live particle, its square spanned by `side` and `up`;
  // returns how many vertices were written.
  DWORD WriteSquares(SceneVertex* vertices, const D3DXVECTOR3& side, const D3DXVECTOR3& up) const;

  float boxWidth_, boxHeight_, boxDepth_;
  float gravity_;
  float size_;
  ParticleRandom random_;
  float lastTime_ = -1.0f;
  std::vector<Particle> particles_;
  IDirect3DVertexBuffer7* buffer_ = nullptr;
};
