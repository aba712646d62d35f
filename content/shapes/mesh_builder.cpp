#include "shapes/mesh_builder.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <tuple>

uint16_t MeshBuilder::AddVertex(Vec3 position, MeshUv uv) {
  if (positions_.size() > UINT16_MAX) throw std::length_error("shape mesh has too many vertices");
  positions_.push_back(position);
  uvs_.push_back(uv);
  return static_cast<uint16_t>(positions_.size() - 1);
}

void MeshBuilder::AddTriangle(uint16_t a, uint16_t b, uint16_t c) {
  if (a == b || b == c || c == a) return;
  faces_.push_back({a, b, c});
}

MeshFrame MeshBuilder::Finish() const {
  using Key = std::tuple<float, float, float>;
  const auto key = [](Vec3 p) { return Key{p.x, p.y, p.z}; };
  std::map<Key, Vec3> normalAt;
  for (const MeshFace& face : faces_) {
    const Vec3 a = positions_[face.a], b = positions_[face.b], c = positions_[face.c];
    const Vec3 areaNormal = Cross(b - a, c - a);  // weighted by the triangle's area
    for (Vec3 corner : {a, b, c}) normalAt[key(corner)] = normalAt[key(corner)] + areaNormal;
  }

  MeshFrame frame;
  for (Vec3 p : positions_) {
    frame.positions.push_back({p.x, p.y, p.z});
    const Vec3 normal = Normalised(normalAt[key(p)]);
    frame.vectors.push_back({normal.x, normal.y, normal.z});
    frame.radius = std::max(frame.radius, Length(p));
  }
  frame.uvs = uvs_;
  frame.faces = faces_;
  return frame;
}
