#include "scene/animator.h"

#include <cmath>
#include <cstddef>

#include "render/d3dx/d3dx_vector.h"
#include "scene/scene_record_fields.h"

namespace {

constexpr uint32_t kAnimatorVersion = 1;
constexpr size_t kVectorKeySize = 40;
constexpr size_t kRotationKeySize = 52;
// A track holds at least its name's length field and its three key counts.
constexpr size_t kMinimumTrackSize = 16;

bool ReadVectorKey(ByteCursor& source, VectorKey& key) {
  return ReadFields(source, key.time, key.value, key.startTangent, key.endTangent);
}

bool ReadRotationKey(ByteCursor& source, RotationKey& key) {
  return ReadFields(source, key.time, key.value, key.control, key.unused);
}

void WriteVectorKey(ByteWriter& out, const VectorKey& key) {
  WriteFields(out, key.time, key.value, key.startTangent, key.endTangent);
}

void WriteRotationKey(ByteWriter& out, const RotationKey& key) {
  WriteFields(out, key.time, key.value, key.control, key.unused);
}

// Reads one track and appends its keys to `tracks[name]`, which it creates when needed.
bool ReadTrack(ByteCursor& source, std::map<std::string, NodeTrack>& tracks) {
  std::string name;
  if (!ReadField(source, name)) return false;
  NodeTrack& track = tracks[name];
  return ReadCountedList(source, kVectorKeySize, track.positionKeys, ReadVectorKey) &&
         ReadCountedList(source, kVectorKeySize, track.scaleKeys, ReadVectorKey) &&
         ReadCountedList(source, kRotationKeySize, track.rotationKeys, ReadRotationKey);
}

// The index of the first key whose time is not less than `time`, or the key count when
// there is none. A key time that does not compare with `time` (NaN) counts as less.
template <typename Key>
size_t FirstKeyNotBefore(const std::vector<Key>& keys, float time) {
  size_t index = 0;
  while (index < keys.size() && !(keys[index].time >= time)) ++index;
  return index;
}

// Where `time` lies between keys `end - 1` and `end`: 0 at the first, 1 at the second.
template <typename Key>
float SegmentFraction(const std::vector<Key>& keys, size_t end, float time) {
  const float start = keys[end - 1].time;
  return (time - start) / (keys[end].time - start);
}

// Evaluates a key list at `time`: at or before the first key its value, after the last
// key the last value, else `interpolate(from, to, s)` over the segment. True when `time`
// falls inside a segment.
template <typename Key, typename Value, typename Interpolate>
bool EvaluateKeys(const std::vector<Key>& keys, float time, Value& value,
                  Interpolate interpolate) {
  const size_t end = FirstKeyNotBefore(keys, time);
  if (end == keys.size()) {
    value = keys.back().value;
    return false;
  }
  if (end == 0) {
    value = keys.front().value;
    return false;
  }
  value = interpolate(keys[end - 1], keys[end], SegmentFraction(keys, end, time));
  return true;
}

// A position or scale segment: a Hermite curve, both of whose tangents live on the key
// that starts it.
bool EvaluateVectorKeys(const std::vector<VectorKey>& keys, float time, D3DXVECTOR3& value) {
  return EvaluateKeys(keys, time, value, [](const VectorKey& from, const VectorKey& to, float s) {
    D3DXVECTOR3 point;
    D3DXVec3Hermite(&point, &from.value, &from.startTangent, &to.value, &from.endTangent, s);
    return point;
  });
}

// A rotation segment: a spherical quadrangle through the two values with the two keys'
// control points as inner points.
bool EvaluateRotationKeys(const std::vector<RotationKey>& keys, float time, D3DXQUATERNION& value) {
  return EvaluateKeys(keys, time, value, [](const RotationKey& from, const RotationKey& to, float s) {
    return SceneSlerp(SceneSlerp(from.value, to.value, s), SceneSlerp(from.control, to.control, s),
                      2.0f * s * (1.0f - s));
  });
}

}  // namespace

HRESULT CAnimator::Load(ByteCursor& stream) {
  Clear();
  if (const HRESULT result = ReadRecordVersion(stream, kAnimatorVersion); FAILED(result)) {
    return result;
  }
  uint32_t trackCount = 0;
  bool read = ReadFields(stream, startTime, endTime, trackCount) &&
              CountFits(stream, trackCount, kMinimumTrackSize);
  for (uint32_t i = 0; read && i < trackCount; ++i) read = ReadTrack(stream, tracks);
  if (read) return S_OK;
  Clear();
  return ShortfallResult(stream);
}

void CAnimator::Save(ByteWriter& stream) const {
  WriteFields(stream, kAnimatorVersion, startTime, endTime);
  WriteCount(stream, tracks.size());
  for (const auto& [name, track] : tracks) {
    WriteField(stream, name);
    WriteCountedList(stream, track.positionKeys, WriteVectorKey);
    WriteCountedList(stream, track.scaleKeys, WriteVectorKey);
    WriteCountedList(stream, track.rotationKeys, WriteRotationKey);
  }
}

void CAnimator::Clear() {
  startTime = 0;
  endTime = 0;
  tracks.clear();
}

void CAnimator::Evaluate(const std::vector<std::unique_ptr<CSceneNode>>& nodes, float time) const {
  for (const std::unique_ptr<CSceneNode>& node : nodes) EvaluateNode(*node, time);
}

void CAnimator::EvaluateNode(CSceneNode& node, float time) const {
  node.moving = 0;
  const auto found = tracks.find(node.name);
  if (found == tracks.end()) return;
  const NodeTrack& track = found->second;
  node.transformDirty = 1;
  // A node counts as moving while its position runs along a segment, but not while its
  // scale does too, and always while its rotation does.
  if (!track.positionKeys.empty() && EvaluateVectorKeys(track.positionKeys, time, node.position)) {
    node.moving = 1;
  }
  if (!track.scaleKeys.empty() && EvaluateVectorKeys(track.scaleKeys, time, node.scale)) {
    node.moving = 0;
  }
  if (!track.rotationKeys.empty() &&
      EvaluateRotationKeys(track.rotationKeys, time, node.rotation)) {
    node.moving = 1;
  }
}

D3DXQUATERNION SceneSlerp(const D3DXQUATERNION& a, const D3DXQUATERNION& b, float s) {
  const float d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
  if (d > -0.95f && d < 0.95f) {
    const float theta = std::acos(d);
    const float sinTheta = std::sin(theta);
    const float weightA = std::sin((1.0f - s) * theta);
    const float weightB = std::sin(s * theta);
    return {(weightA * a.x + weightB * b.x) / sinTheta, (weightA * a.y + weightB * b.y) / sinTheta,
            (weightA * a.z + weightB * b.z) / sinTheta, (weightA * a.w + weightB * b.w) / sinTheta};
  }
  // Nearly the same or nearly opposite rotations: the sine formula loses precision, so
  // blend linearly and bring the result back to unit length.
  D3DXQUATERNION blend{a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), a.z + s * (b.z - a.z),
                       a.w + s * (b.w - a.w)};
  const float length =
      std::sqrt(blend.x * blend.x + blend.y * blend.y + blend.z * blend.z + blend.w * blend.w);
  if (length > 0) {
    blend = {blend.x / length, blend.y / length, blend.z / length, blend.w / length};
  }
  return blend;
}
