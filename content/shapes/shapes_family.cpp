#include <algorithm>
#include <cmath>

#include "families.h"
#include "scene/geom_object_record.h"
#include "shapes/ball_sprite.h"
#include "shapes/shape_meshes.h"
#include "shapes/shape_record.h"

namespace {

// The helix panel covers the right 40 % of the picture, so each shape is held left of the
// morph's turning axis, by `heldLeft` units at the scale (`framedScale`) that the morph
// shows it formed at: enough that it stays clear of most of the helix, not so much that
// its far side leaves the picture. (The box also flies in from and out to far away at
// other scales, where the shift is lost.)
struct HeldShape {
  const char* name;
  MeshFrame (*mesh)();
  float framedScale;
  float heldLeft;
};

constexpr HeldShape kShapes[] = {
    {"box", BoxMesh, 0.6f, 9},          // near corners reach out on both sides
    {"sphere", SphereMesh, 0.8f, 12},
    {"cone", ConeMesh, 0.8f, 12},
    {"torus", TorusMesh, 1, 12},
    {"teapot", TeapotMesh, 1.2f, 17},   // the spout reaches far right
    {"dolphin", DolphinMesh, 5, 16},    // the beak is on the right, longer than the tail
};

MeshFrame HeldLeft(const HeldShape& shape) {
  MeshFrame frame = shape.mesh();
  frame.radius = 0;  // still the farthest vertex from the origin, which moves with them
  for (D3DXVECTOR3& p : frame.positions) {
    p.x -= shape.heldLeft / shape.framedScale;
    frame.radius = std::max(frame.radius, std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z));
  }
  return frame;
}

}  // namespace

std::vector<ArchiveEntry> MakeShapeEntries() {
  std::vector<ArchiveEntry> entries;
  for (const HeldShape& shape : kShapes) {
    entries.push_back(
        StreamEntry(shape.name, WriteGeomObjectRecord(ShapeRecord(HeldLeft(shape)))));
  }
  entries.push_back(StreamEntry("ball.png", BallSpritePng()));
  return entries;
}
