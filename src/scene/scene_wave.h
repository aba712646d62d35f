#pragma once
// CSceneWave: the drawable of a wave-surface node. A flat disc in the node's xz plane, one
// centre vertex and 32 rings of 32 vertices, whose rings rise and fall as a travelling
// radial sine wave. One fixed directional light is baked into the vertex colours, and the
// texture coordinates follow a reflection of the current camera, eased a tenth of the way
// towards their new value at every draw.
#include <cstdint>
#include <vector>

#include "render/d3d/device.h"
#include "scene/scene_drawable.h"
#include "scene/scene_node.h"
#include "scene/scene_vertex.h"

class CSceneWave final : public SceneDrawable {
 public:
  static constexpr int kRings = 32;
  static constexpr int kRingVertices = 32;
  static constexpr DWORD kVertexCount = 1 + kRings * kRingVertices;                 // 1025
  static constexpr DWORD kIndexCount = 3 * kRingVertices * (1 + 2 * (kRings - 1));  // 6048

  // The disc's diameter is parameter 0 times 0.982, the crests' height parameter 2.
  explicit CSceneWave(const CNURBWave& node);
  ~CSceneWave() override;
  CSceneWave(const CSceneWave&) = delete;
  CSceneWave& operator=(const CSceneWave&) = delete;

  // Moves the wave to scene time `time` and draws it. Without a camera the texture
  // coordinates stay where they are.
  void Draw(float time, const CCamera* camera) override;

  const std::vector<uint16_t>& Indices() const { return indices_; }

 private:
  // The index of vertex `i` (0..31) of ring `k` (1..32).
  static uint16_t RingVertex(int k, int i);
  // Ring k lies at k / 32 of the disc's radius.
  float RingRadius(int k) const;
  void WriteFlatDisc(SceneVertex* vertices) const;
  void BuildIndices();
  // Lifts the rings to their height at `time`, lights them and eases their texture
  // coordinates towards the reflection of `camera`.
  void Animate(SceneVertex* vertices, float time, const CCamera* camera) const;

  float discSize_;
  float waveHeight_;
  std::vector<uint16_t> indices_;
  IDirect3DVertexBuffer7* buffer_ = nullptr;
};
