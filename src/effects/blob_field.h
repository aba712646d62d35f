#pragma once
// The metaballs' field and the spatial grid it is read through. Each blob adds 1/r^2 - 1 at
// squared distance r^2 below 1 from its centre and nothing farther out, so one blob alone
// reaches the level 1 at distance 1/sqrt(2). The grid files the blobs by the cell of their
// centre; a reading visits only the blobs of its own cell and the cells next to it.
#include <span>
#include <vector>

#include "render/d3d/d3d_types.h"

// How far a blob's field reaches (world units).
inline constexpr float kBlobInfluenceRadius = 1.0f;

struct BlobRecord {
  D3DVECTOR centre;
  int nextInCell = -1;  // the next blob filed in the same grid cell, or -1
  int component = 0;    // the surface component the blob was found on; 0 for none
};

class BlobField {
 public:
  // Files `blobs` (which must outlive the field's readings, and not move) in a grid over
  // their centres' bounding box enlarged by the influence radius, with cells of 1.1 times
  // the radius. Called again whenever the centres change.
  void Rebuild(std::span<BlobRecord> blobs);
  // The field at `p`.
  float ValueAt(const D3DVECTOR& p) const;

 private:
  // The cell index along one axis of a coordinate `offset` from the grid's origin; it may
  // lie outside the grid.
  int CellOf(float offset) const;

  std::span<BlobRecord> blobs_;
  D3DVECTOR origin_{};
  int cells_[3] = {};
  std::vector<int> firstInCell_;  // the first blob of each cell, or -1; x varies fastest
};
