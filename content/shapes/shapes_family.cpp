#include "families.h"
#include "scene/geom_object_record.h"
#include "shapes/ball_sprite.h"
#include "shapes/shape_meshes.h"
#include "shapes/shape_record.h"

std::vector<ArchiveEntry> MakeShapeEntries() {
  const auto shape = [](const char* name, MeshFrame frame) {
    return StreamEntry(name, WriteGeomObjectRecord(ShapeRecord(std::move(frame))));
  };
  return {
      shape("box", BoxMesh()),
      shape("sphere", SphereMesh()),
      shape("cone", ConeMesh()),
      shape("torus", TorusMesh()),
      shape("teapot", TeapotMesh()),
      shape("dolphin", DolphinMesh()),
      StreamEntry("ball.png", BallSpritePng()),
  };
}
