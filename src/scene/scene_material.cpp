#include "scene/scene_material.h"

#include "scene/scene_record_fields.h"

namespace {
constexpr uint32_t kMaterialRecordVersion = 1;
}  // namespace

HRESULT CMaterial::Load(ByteCursor& record) {
  uint32_t version = 0;
  if (!ReadField(record, version) || version != kMaterialRecordVersion) return E_FAIL;
  return ReadFields(record, textureName, colours, value4, value5, flags) ? S_OK : E_FAIL;
}

void CMaterial::Save(ByteWriter& record) const {
  WriteFields(record, kMaterialRecordVersion, textureName, colours, value4, value5, flags);
}
