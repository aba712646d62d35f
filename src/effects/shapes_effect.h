#pragma once
// CShapesEffect shows a cloud of 1024 glowing particles that flows from one 3D shape to the
// next while it turns about the vertical axis. The particles lie at random on the surfaces
// of the meshes of a fixed shape list, taken two at a time: as the part proceeds the cloud
// eases from shape k to shape k + 1, turning twice round on the way, and the pair moves on.
// It is a member of the closing composite, which drives it.
#include <vector>

#include "demo/part.h"
#include "render/d3d/device.h"

constexpr int kShapeParticles = 1024;
// Each particle is one triangle.
constexpr DWORD kShapeVertices = 3 * kShapeParticles;

class CShapesEffect : public CPart {
 public:
  explicit CShapesEffect(CDemo* owner);
  ~CShapesEffect() override;

  // Makes the particle buffer and colours, loads the sprite and (when no instance has) the
  // shape meshes, and scatters the particles over the first two shapes. Throws demoError
  // when the buffer cannot be made or a shape's record cannot be read; a shape missing
  // from the archive is logged and left without triangles.
  void Init() override;
  // Draws the cloud for `t`, the fraction of the owner's window elapsed; counts the frame.
  void Render(float t) override;
  // Gives back the buffer and the sprite (once) and empties the shape meshes.
  void Release() override;

 private:
  // Moves the pair on to the shapes that `shape` and shape + 1 name, resampling only what
  // the pair did not hold already.
  void FollowPair(int shape);
  void WriteParticles(float blend, float angle);

  IDirect3DVertexBuffer7* particles_ = nullptr;
  std::vector<D3DCOLOR> colours_;  // one fixed grey per particle
  std::vector<D3DXVECTOR3> source_, target_;
  int sourceShape_ = -1, targetShape_ = -1;  // the entries of the shape list sampled
  bool holdsSprite_ = false;                 // a use of the sprite, given back once
};
