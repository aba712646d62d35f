#pragma once
// The meshes the shape morph scatters its particles over. Each is built where the morph's
// shape table expects it: the table subtracts a y offset and scales, and the camera looks
// at the origin from 60 units in front, so each mesh is centred on its entry's y offset and
// sized so that its entry's scale brings it to about 50..90 units across.
#include "scene/geom_object_record.h"

// A cube of side 70 about the y axis, from y = 8 to 78 (offset 43, scales 60, 0.6 and 5).
MeshFrame BoxMesh();
// A sphere of radius 40 about the origin (offset 0, scale 0.8).
MeshFrame SphereMesh();
// A cone of base radius 36 on y = 0 with its tip at y = 72 (offset 36, scale 0.8).
MeshFrame ConeMesh();
// A ring of radius 26 with a tube of radius 9 about the z axis, so that it faces the
// viewer (offset 0, scale 1).
MeshFrame TorusMesh();
// A teapot standing on y = 0, 34 high to the top of its knob, spout towards +x (offset
// 17, scale 1.2).
MeshFrame TeapotMesh();
// A dolphin 12.5 long from beak (+x) to tail flukes, its back up, about the origin (offset 0,
// scale 5).
MeshFrame DolphinMesh();
