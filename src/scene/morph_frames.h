#pragma once
// Vertex-animated meshes: which of a mesh's frames it shows at a scene time, blended how
// far, and the blended vertices and bounding radius.
//
// Frames may disagree in size: a blend covers the vertices both frames have, a frame
// without a colour for a vertex counts it white, one without texture coordinates (0, 0).
// Frame times beyond the last frame stand for the last frame.
#include <cstddef>

#include "scene/scene_node.h"
#include "scene/scene_vertex.h"

struct MorphBlend {
  const MeshFrame* from;  // the earlier frame, or the only one shown
  const MeshFrame* to;    // the later frame; `from` again when one frame is shown
  float s;                // weight of `to`, 0..1
};

// The frames `mesh` (at least one frame) shows at `time`: the pair whose frame times
// enclose it, or the first frame up to the first time, the last one after the last time
// (the first frame when there are no frame times).
MorphBlend ChooseMorphFrames(const CGeomObject& mesh, float time);
// The bounding radius of `mesh` (at least one frame) at `time`, blended likewise, except
// that with no frame times it is the last frame's.
float MorphRadius(const CGeomObject& mesh, float time);

// How many vertices the blend has: as many as both frames have positions.
size_t MorphVertexCount(const MorphBlend& blend);
// Writes the first `count` (at most MorphVertexCount) blended vertices; colours are packed
// rounded.
void WriteMorphVertices(const MorphBlend& blend, size_t count, SceneVertex* vertices);
