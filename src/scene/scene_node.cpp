#include "scene/scene_node.h"

#include <bit>
#include <utility>

#include "scene/scene_record_fields.h"

namespace {

constexpr uint32_t kNodeRecordVersion = 1;

bool ReadVersion(ByteCursor& record) {
  uint32_t version = 0;
  return ReadField(record, version) && version == kNodeRecordVersion;
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
  if (!ReadVersion(record)) return E_FAIL;
  return ReadFields(record, position, scale, rotation, values) ? S_OK : E_FAIL;
}

void CLight::Save(ByteWriter& record) const {
  WriteFields(record, kNodeRecordVersion, position, scale, rotation, values);
}

HRESULT CCamera::Load(ByteCursor& record) {
  if (!ReadVersion(record)) return E_FAIL;
  if (!ReadFields(record, position, rotation, fov, nearPlane, farPlane)) return E_FAIL;
  moving = 0;
  return S_OK;
}

void CCamera::Save(ByteWriter& record) const {
  WriteFields(record, kNodeRecordVersion, position, rotation, fov, nearPlane, farPlane);
}

HRESULT CParameterNode::Load(ByteCursor& record) {
  if (!ReadVersion(record)) return E_FAIL;
  NodeTransform transform;
  if (!ReadFields(record, materialName, transform, parameters)) return E_FAIL;
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
