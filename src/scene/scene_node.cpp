#include "scene/scene_node.h"

#include <bit>
#include <utility>

#include "scene/scene_record_fields.h"

namespace {

constexpr uint32_t kNodeRecordVersion = 1;

// Reads the fields of a node record after its version; the result says what failed.
template <typename... Fields>
HRESULT ReadNodeRecord(ByteCursor& record, Fields&... fields) {
  if (const HRESULT result = ReadRecordVersion(record, kNodeRecordVersion); FAILED(result)) {
    return result;
  }
  return ReadFields(record, fields...) ? S_OK : ShortfallResult(record);
}

NodeTransform TransformOf(const CSceneNode& node) {
  return {node.position, node.scale, node.rotation, node.radius, node.pivot};
}

void SetTransform(CSceneNode& node, const NodeTransform& transform) {
  node.position = transform.position;
  node.scale = transform.scale;
  node.rotation = transform.rotation;
  node.radius = transform.radius;
  node.pivot = transform.pivot;
}

}  // namespace

// The mesh record is shared with the archive's stand-alone meshes, so it goes through
// the GeomObject record code.
HRESULT CGeomObject::Load(ByteCursor& record) {
  GeomObjectRecord read;
  if (const HRESULT result = ReadGeomObjectRecord(record, read); FAILED(result)) return result;
  materialName = std::move(read.materialName);
  SetTransform(*this, read.transform);
  frames = std::move(read.frames);
  frameTimes = std::move(read.frameTimes);
  return S_OK;
}

void CGeomObject::Save(ByteWriter& record) const {
  WriteGeomObjectRecord(record, {materialName, TransformOf(*this), frames, frameTimes});
}

HRESULT CLight::Load(ByteCursor& record) {
  return ReadNodeRecord(record, position, scale, rotation, values);
}

void CLight::Save(ByteWriter& record) const {
  WriteFields(record, kNodeRecordVersion, position, scale, rotation, values);
}

HRESULT CCamera::Load(ByteCursor& record) {
  const HRESULT result = ReadNodeRecord(record, position, rotation, fov, nearPlane, farPlane);
  if (FAILED(result)) return result;
  moving = 0;
  return S_OK;
}

void CCamera::Save(ByteWriter& record) const {
  WriteFields(record, kNodeRecordVersion, position, rotation, fov, nearPlane, farPlane);
}

HRESULT CParameterNode::Load(ByteCursor& record) {
  NodeTransform transform;
  const HRESULT result = ReadNodeRecord(record, materialName, transform, parameters);
  if (FAILED(result)) return result;
  SetTransform(*this, transform);
  return S_OK;
}

void CParameterNode::Save(ByteWriter& record) const {
  WriteFields(record, kNodeRecordVersion, materialName, TransformOf(*this), parameters);
}

float CParameterNode::FloatParameter(int index) const {
  return std::bit_cast<float>(parameters[index]);
}

uint32_t CParameterNode::IntegerParameter(int index) const { return parameters[index]; }

void CParameterNode::SetFloatParameter(int index, float value) {
  parameters[index] = std::bit_cast<uint32_t>(value);
}

void CParameterNode::SetIntegerParameter(int index, uint32_t value) { parameters[index] = value; }
