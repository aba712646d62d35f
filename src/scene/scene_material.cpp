#include "scene/scene_material.h"

#include "scene/scene_record_fields.h"

namespace {
constexpr uint32_t kMaterialRecordVersion = 1;
}  // namespace

HRESULT CMaterial::Load(ByteCursor& record) {
  if (const HRESULT result = ReadRecordVersion(record, kMaterialRecordVersion); FAILED(result)) {
    return result;
  }
  return ReadFields(record, textureName, colours, value4, value5, flags) ? S_OK
                                                                         : ShortfallResult(record);
}

void CMaterial::Save(ByteWriter& record) const {
  WriteFields(record, kMaterialRecordVersion, textureName, colours, value4, value5, flags);
}
