#include "shapes/shape_record.h"

#include <utility>

GeomObjectRecord ShapeRecord(MeshFrame frame) {
  GeomObjectRecord record;
  record.materialName = "shape";
  record.transform.radius = frame.radius;
  record.frames.push_back(std::move(frame));
  record.frameTimes = {0};
  return record;
}
