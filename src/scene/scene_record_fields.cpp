#include "scene/scene_record_fields.h"

#include <bit>

namespace {

uint32_t LoadU32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

bool ReadField(ByteCursor& source, uint16_t& value) { return source.ReadLittleEndian16(value); }

bool ReadField(ByteCursor& source, uint32_t& value) {
  const uint8_t* bytes = source.Take(4);
  if (bytes == nullptr) return false;
  value = LoadU32(bytes);
  return true;
}

bool ReadField(ByteCursor& source, float& value) {
  uint32_t bits = 0;
  if (!ReadField(source, bits)) return false;
  value = std::bit_cast<float>(bits);
  return true;
}

bool ReadField(ByteCursor& source, D3DXVECTOR3& value) {
  return ReadFields(source, value.x, value.y, value.z);
}

bool ReadField(ByteCursor& source, D3DXQUATERNION& value) {
  return ReadFields(source, value.x, value.y, value.z, value.w);
}

bool ReadField(ByteCursor& source, ColourValue& value) {
  return ReadFields(source, value.r, value.g, value.b, value.a);
}

bool ReadField(ByteCursor& source, MeshUv& value) { return ReadFields(source, value.u, value.v); }

bool ReadField(ByteCursor& source, MeshFace& value) {
  return ReadFields(source, value.a, value.b, value.c);
}

bool ReadField(ByteCursor& source, std::string& text) {
  uint32_t length = 0;
  if (!ReadField(source, length)) return false;
  if (length > source.Remaining()) {
    source.NoteShortfall(ByteCursor::Shortfall::kLengthTooLarge);
    return false;
  }
  const uint8_t* bytes = source.Take(length);
  if (bytes == nullptr) return false;
  text.assign(reinterpret_cast<const char*>(bytes), length);
  return true;
}

bool ReadField(ByteCursor& source, NodeTransform& transform) {
  return ReadFields(source, transform.position, transform.scale, transform.rotation,
                    transform.radius, transform.pivot);
}

HRESULT ReadRecordVersion(ByteCursor& source, uint32_t expected) {
  uint32_t version = 0;
  if (!ReadField(source, version)) return ShortfallResult(source);
  return version == expected ? S_OK : RECORD_E_UNKNOWNVERSION;
}

HRESULT ShortfallResult(const ByteCursor& source) {
  switch (source.FirstShortfall()) {
    case ByteCursor::Shortfall::kCountTooLarge: return RECORD_E_COUNTTOOLARGE;
    case ByteCursor::Shortfall::kLengthTooLarge: return RECORD_E_NAMETOOLONG;
    case ByteCursor::Shortfall::kDataEnded:
    case ByteCursor::Shortfall::kNone: break;
  }
  return RECORD_E_TRUNCATED;
}

bool CountFits(ByteCursor& source, uint32_t count, size_t minimumElementSize) {
  if (count <= source.Remaining() / minimumElementSize) return true;
  source.NoteShortfall(ByteCursor::Shortfall::kCountTooLarge);
  return false;
}

void WriteField(ByteWriter& out, uint16_t value) { out.WriteU16(value); }
void WriteField(ByteWriter& out, uint32_t value) { out.WriteU32(value); }
void WriteField(ByteWriter& out, float value) { out.WriteF32(value); }

void WriteField(ByteWriter& out, const D3DXVECTOR3& value) {
  WriteFields(out, value.x, value.y, value.z);
}

void WriteField(ByteWriter& out, const D3DXQUATERNION& value) {
  WriteFields(out, value.x, value.y, value.z, value.w);
}

void WriteField(ByteWriter& out, const ColourValue& value) {
  WriteFields(out, value.r, value.g, value.b, value.a);
}

void WriteField(ByteWriter& out, const MeshUv& value) { WriteFields(out, value.u, value.v); }

void WriteField(ByteWriter& out, const MeshFace& value) {
  WriteFields(out, value.a, value.b, value.c);
}

void WriteField(ByteWriter& out, const std::string& text) {
  WriteCount(out, text.size());
  out.WriteBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void WriteField(ByteWriter& out, const NodeTransform& transform) {
  WriteFields(out, transform.position, transform.scale, transform.rotation, transform.radius,
              transform.pivot);
}

void WriteCount(ByteWriter& out, size_t count) { out.WriteU32(static_cast<uint32_t>(count)); }
