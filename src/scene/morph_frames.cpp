#include "scene/morph_frames.h"

#include <algorithm>

#include "scene/scene_colour.h"

namespace {

// The index of the first time not less than `time` (a comparison with NaN counts as
// less), or times.size() when there is none.
size_t FirstTimeNotBefore(const std::vector<float>& times, float time) {
  size_t e = 0;
  while (e < times.size() && !(times[e] >= time)) ++e;
  return e;
}

const MeshFrame& FrameAt(const CGeomObject& mesh, size_t index) {
  return mesh.frames[std::min(index, mesh.frames.size() - 1)];
}

// How far `time` lies from times[e - 1] to times[e], for 0 < e < times.size(), where
// times[e - 1] < time <= times[e].
float Between(const std::vector<float>& times, size_t e, float time) {
  return (time - times[e - 1]) / (times[e] - times[e - 1]);
}

float Mix(float from, float to, float s) { return s * to + (1 - s) * from; }

ColourValue ColourOf(const MeshFrame& frame, size_t i) {
  return i < frame.colours.size() ? frame.colours[i] : ColourValue{1, 1, 1, 1};
}

MeshUv UvOf(const MeshFrame& frame, size_t i) {
  return i < frame.uvs.size() ? frame.uvs[i] : MeshUv{0, 0};
}

}  // namespace

MorphBlend ChooseMorphFrames(const CGeomObject& mesh, float time) {
  const std::vector<float>& times = mesh.frameTimes;
  const size_t e = FirstTimeNotBefore(times, time);
  if (e == 0 || e == times.size()) {
    const MeshFrame& only = e == 0 ? mesh.frames.front() : mesh.frames.back();
    return {&only, &only, 0.0f};
  }
  return {&FrameAt(mesh, e - 1), &FrameAt(mesh, e), Between(times, e, time)};
}

float MorphRadius(const CGeomObject& mesh, float time) {
  const std::vector<float>& times = mesh.frameTimes;
  const size_t e = FirstTimeNotBefore(times, time);
  if (e == times.size()) return mesh.frames.back().radius;
  if (e == 0) return mesh.frames.front().radius;
  return Mix(FrameAt(mesh, e - 1).radius, FrameAt(mesh, e).radius, Between(times, e, time));
}

size_t MorphVertexCount(const MorphBlend& blend) {
  return std::min(blend.from->positions.size(), blend.to->positions.size());
}

void WriteMorphVertices(const MorphBlend& blend, size_t count, SceneVertex* vertices) {
  const MeshFrame& from = *blend.from;
  const MeshFrame& to = *blend.to;
  const float s = blend.s;
  for (size_t i = 0; i < count; ++i) {
    const D3DXVECTOR3& p0 = from.positions[i];
    const D3DXVECTOR3& p1 = to.positions[i];
    const ColourValue c0 = ColourOf(from, i), c1 = ColourOf(to, i);
    const MeshUv uv0 = UvOf(from, i), uv1 = UvOf(to, i);
    const ColourValue colour{Mix(c0.r, c1.r, s), Mix(c0.g, c1.g, s), Mix(c0.b, c1.b, s),
                             Mix(c0.a, c1.a, s)};
    vertices[i] = {Mix(p0.x, p1.x, s),        Mix(p0.y, p1.y, s),   Mix(p0.z, p1.z, s),
                   PackColourRounded(colour), Mix(uv0.u, uv1.u, s), Mix(uv0.v, uv1.v, s)};
  }
}
