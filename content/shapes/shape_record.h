#pragma once
// Wraps a shape mesh into the GeomObject record the shape morph reads from the archive.
#include "scene/geom_object_record.h"

// A static record (one frame at time 0) placed at the origin, unscaled and unturned, its
// bounding radius that of `frame`.
GeomObjectRecord ShapeRecord(MeshFrame frame);
