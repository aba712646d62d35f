#include "scenes/mesh.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <tuple>

namespace scenes {

uint16_t Mesh::AddVertex(Vec3 position, Vec3 normal, MeshUv uv) {
  if (positions.size() > 0xFFFF)
    throw std::length_error("mesh has more vertices than u16 faces reach");
  positions.push_back(position);
  normals.push_back(normal);
  uvs.push_back(uv);
  colours.push_back({1, 1, 1, 1});
  return static_cast<uint16_t>(positions.size() - 1);
}

void Mesh::AddTriangleFacingNormals(uint16_t a, uint16_t b, uint16_t c) {
  const Vec3 faceNormal = Cross(positions[b] - positions[a], positions[c] - positions[a]);
  if (Dot(faceNormal, faceNormal) == 0) return;
  if (Dot(faceNormal, normals[a] + normals[b] + normals[c]) < 0) {
    AddTriangle(a, c, b);
  } else {
    AddTriangle(a, b, c);
  }
}

void Append(Mesh& mesh, const Mesh& part) {
  if (mesh.positions.size() + part.positions.size() > 0x10000) {
    throw std::length_error("mesh has more vertices than u16 faces reach");
  }
  const auto base = static_cast<uint16_t>(mesh.positions.size());
  mesh.positions.insert(mesh.positions.end(), part.positions.begin(), part.positions.end());
  mesh.normals.insert(mesh.normals.end(), part.normals.begin(), part.normals.end());
  mesh.uvs.insert(mesh.uvs.end(), part.uvs.begin(), part.uvs.end());
  mesh.colours.insert(mesh.colours.end(), part.colours.begin(), part.colours.end());
  for (const MeshFace& face : part.faces) {
    mesh.faces.push_back({static_cast<uint16_t>(face.a + base),
                          static_cast<uint16_t>(face.b + base),
                          static_cast<uint16_t>(face.c + base)});
  }
}

Mesh Placed(const Mesh& mesh, const Placement& placement) {
  Mesh placed = mesh;
  const Vec3 inverseScale{1 / placement.scale.x, 1 / placement.scale.y, 1 / placement.scale.z};
  for (size_t i = 0; i < placed.positions.size(); ++i) {
    placed.positions[i] = Rotate(placement.rotation, Scale(mesh.positions[i], placement.scale)) +
                          placement.translation;
    placed.normals[i] =
        Normalised(Rotate(placement.rotation, Scale(mesh.normals[i], inverseScale)));
  }
  // A mirroring scale turns the triangles inside out; keep them facing outward.
  if (placement.scale.x * placement.scale.y * placement.scale.z < 0) {
    for (MeshFace& face : placed.faces) std::swap(face.b, face.c);
  }
  return placed;
}

Mesh Flipped(const Mesh& mesh) {
  Mesh flipped = mesh;
  for (Vec3& normal : flipped.normals) normal = -normal;
  for (MeshFace& face : flipped.faces) std::swap(face.b, face.c);
  return flipped;
}

void SmoothNormals(Mesh& mesh) {
  std::map<std::tuple<float, float, float>, Vec3> sums;
  const auto key = [&](uint16_t index) {
    const Vec3 p = mesh.positions[index];
    return std::make_tuple(p.x, p.y, p.z);
  };
  for (const MeshFace& face : mesh.faces) {
    const Vec3 normal = Cross(mesh.positions[face.b] - mesh.positions[face.a],
                              mesh.positions[face.c] - mesh.positions[face.a]);
    for (const uint16_t index : {face.a, face.b, face.c})
      sums[key(index)] = sums[key(index)] + normal;
  }
  for (size_t i = 0; i < mesh.positions.size(); ++i) {
    const auto found = sums.find(key(static_cast<uint16_t>(i)));
    if (found != sums.end()) mesh.normals[i] = Normalised(found->second);
  }
}

void Paint(Mesh& mesh, ColourValue colour) {
  std::fill(mesh.colours.begin(), mesh.colours.end(), colour);
}

float BoundingRadius(const Mesh& mesh) {
  float radius = 0;
  for (const Vec3& position : mesh.positions) radius = std::max(radius, Length(position));
  return radius;
}

MeshFrame ToMeshFrame(const Mesh& mesh) {
  MeshFrame frame;
  frame.positions.reserve(mesh.positions.size());
  for (const Vec3& position : mesh.positions) frame.positions.push_back(ToD3D(position));
  frame.uvs = mesh.uvs;
  frame.colours = mesh.colours;
  frame.faces = mesh.faces;
  frame.radius = BoundingRadius(mesh);
  return frame;
}

}  // namespace scenes
