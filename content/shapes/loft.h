#pragma once
// Surfaces made of a run of closed cross-sections ("rings"), stitched ring to ring. The
// shape morph scatters its particles by picking triangles uniformly, not by area, so every
// surface here is cut into triangles of nearly equal area: rings are spaced `spacing`
// apart along the surface and each ring gets as many vertices as its perimeter holds
// spacings. Neighbouring rings may differ in vertex count; a ring of radius zero is a
// single vertex (a pole), which closes the surface there.
#include <vector>

#include "shapes/mesh_builder.h"
#include "kit/vec3.h"

enum class LoopShape {
  kEllipse,  // radiusA along axisA, radiusB along axisB
  kSquare,   // a rectangle with those half-sizes; vertex counts in steps of 8 keep its corners
};

// One cross-section: the points centre + cos(t)·radiusA·axisA + sin(t)·radiusB·axisB.
// A surface faces outward when its rings advance along axisB x axisA.
struct Ring {
  Vec3 centre;
  Vec3 axisA{1, 0, 0};
  Vec3 axisB{0, 0, 1};
  float radiusA = 0;
  float radiusB = 0;
  // A sharp ring (a crease, a pole, an end) is kept exactly when rings are respaced.
  bool sharp = false;
};

// Respaces `keys` (a dense, smooth description of the surface) into rings about `spacing`
// apart: the first, last and sharp keys stay, and between two of them rings are placed at
// equal distances along the key polyline, interpolated between the neighbouring keys.
std::vector<Ring> SpaceRings(const std::vector<Ring>& keys, float spacing);

// Adds the surface through `rings`, in order, to `mesh`. Every ring's seam vertex is
// repeated at u = 1 so that texture coordinates (u around, v along) do not wrap.
void AddLoft(MeshBuilder& mesh, const std::vector<Ring>& rings, LoopShape shape, float spacing);
