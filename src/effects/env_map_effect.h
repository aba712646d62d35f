#pragma once
// CEnvMapEffect draws a liquid, mirror-like object: five metaballs on fixed trigonometric
// paths, their surface rebuilt every frame by marching cubes, shaded with a fixed light baked
// into the vertex colours and textured with sphere-map reflection coordinates.
#include <array>

#include "demo/part.h"
#include "effects/blob_field.h"
#include "effects/blob_surface.h"

inline constexpr int kBlobCount = 5;

// The blobs' centres at `t`, the fraction of the owner's time span elapsed.
std::array<D3DVECTOR, kBlobCount> BlobCentresAt(float t);

class CEnvMapEffect : public CPart {
 public:
  explicit CEnvMapEffect(CDemo* owner);
  // Gives the texture back, unless Release already did.
  ~CEnvMapEffect() override;

  // Loads the reflection map.
  void Init() override;
  // Moves the blobs to `t`, the fraction of the owner's span, rebuilds the surface and draws
  // it with the owner's projection.
  void Render(float t) override;
  void Release() override;

  const std::array<BlobRecord, kBlobCount>& Blobs() const { return blobs_; }
  const BlobMesh& Mesh() const { return mesh_; }

 private:
  void Shade();

  std::array<BlobRecord, kBlobCount> blobs_{};
  BlobField field_;
  BlobSurface surface_;
  BlobMesh mesh_;
  bool holdsTexture_ = false;
  bool reportedTruncation_ = false;
};
