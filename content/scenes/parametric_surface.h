#pragma once
// A grid of quads over a parametric surface: the building block of the primitives, lathes
// and sweeps.
#include <functional>

#include "scenes/mesh.h"

namespace scenes {

struct SurfacePoint {
  Vec3 position;
  Vec3 normal;  // the side the triangles face
  MeshUv uv;
};

// (columns + 1) x (rows + 1) vertices from `point(u, v)` with u and v in 0..1, joined into
// quads; each triangle is wound to face the side its vertices' normals point to.
Mesh ParametricSurface(int columns, int rows,
                       const std::function<SurfacePoint(float u, float v)>& point);

}  // namespace scenes
