#pragma once
// A mesh being modelled: positions with normals (for baking light into the vertex colours),
// texture coordinates, colours and triangles. Triangles face the side from which
// (b - a) x (c - a) points, which the renderer's back-face culling keeps.
#include <cstdint>
#include <vector>

#include "scene/geom_object_record.h"
#include "scenes/quaternion.h"
#include "kit/vec3.h"

namespace scenes {

struct Mesh {
  std::vector<Vec3> positions;
  std::vector<Vec3> normals;
  std::vector<MeshUv> uvs;
  std::vector<ColourValue> colours;
  std::vector<MeshFace> faces;

  // Index of a new white vertex. Throws std::length_error past what u16 faces can reach.
  uint16_t AddVertex(Vec3 position, Vec3 normal, MeshUv uv);
  void AddTriangle(uint16_t a, uint16_t b, uint16_t c) { faces.push_back({a, b, c}); }
  // The triangle a b c or a c b, whichever faces the side its vertices' normals point to;
  // a triangle without area is left out.
  void AddTriangleFacingNormals(uint16_t a, uint16_t b, uint16_t c);
  size_t VertexCount() const { return positions.size(); }
};

// Scale, then rotation, then translation.
struct Placement {
  Vec3 translation{};
  Quat rotation{};
  Vec3 scale{1, 1, 1};
};

// Adds `part`'s vertices and triangles to `mesh`.
void Append(Mesh& mesh, const Mesh& part);
// `mesh` moved by `placement` (normals follow, so the mesh stays lit the same way round).
Mesh Placed(const Mesh& mesh, const Placement& placement);
// The mesh with every triangle turned to face the other way (and its normals reversed).
Mesh Flipped(const Mesh& mesh);
// Recomputes the normals from the triangles: each vertex gets the average of the faces
// around its position (vertices repeated along a texture seam share theirs).
void SmoothNormals(Mesh& mesh);
// Sets every vertex colour.
void Paint(Mesh& mesh, ColourValue colour);
// The distance of the farthest vertex from the origin.
float BoundingRadius(const Mesh& mesh);
// The scene format's mesh frame: positions, uvs, colours and faces, with its radius.
MeshFrame ToMeshFrame(const Mesh& mesh);

}  // namespace scenes
