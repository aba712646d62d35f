#pragma once
// Something a render item draws by itself instead of from the shared vertex buffers: a wave
// surface or a particle system. The renderer has set the node's world matrix, the material's
// blend state and its texture before it calls Draw.
class CCamera;

class SceneDrawable {
 public:
  virtual ~SceneDrawable() = default;
  // Draws at scene time `time`, seen from `camera` (null when the scene has none yet).
  virtual void Draw(float time, const CCamera* camera) = 0;
  // Goes back to the state it was built with; only a drawable that carries state from
  // frame to frame has anything to do.
  virtual void Rewind() {}
};
