#pragma once
// Collects the vertices and triangles of one mesh frame as the shape builders emit them.
#include <cstdint>
#include <vector>

#include "scene/geom_object_record.h"
#include "kit/vec3.h"

class MeshBuilder {
 public:
  // Index of a new vertex. Throws std::length_error past the 65536 vertices that u16
  // faces can reach.
  uint16_t AddVertex(Vec3 position, MeshUv uv);
  // A triangle whose front, seen from outside, is (b - a) x (c - a). Triangles that
  // repeat a vertex are dropped.
  void AddTriangle(uint16_t a, uint16_t b, uint16_t c);
  // Replaces every position added so far by `move(position)`: a rigid motion or a
  // uniform scale, so that the surfaces keep facing outward.
  template <typename Move>
  void MovePositions(Move move) {
    for (Vec3& position : positions_) position = move(position);
  }

  // The frame: positions, uvs and faces as added; vectors are unit normals, averaged over
  // the faces that meet at each position (so vertices that merely repeat a position, along
  // a texture seam, get the same normal); radius is the farthest vertex from the origin.
  MeshFrame Finish() const;

 private:
  std::vector<Vec3> positions_;
  std::vector<MeshUv> uvs_;
  std::vector<MeshFace> faces_;
};
