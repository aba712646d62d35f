#pragma once
// The field encodings shared by the records of a heron scene (the ".scene" list, nodes,
// materials, ".anim"): little-endian, no padding. Each ReadField takes exactly its field's
// bytes from the cursor and returns false when the data ends first; each WriteField
// appends them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render/d3d/d3d_types.h"
#include "resources/byte_cursor.h"
#include "scene/byte_writer.h"
#include "scene/geom_object_record.h"

bool ReadField(ByteCursor& source, uint16_t& value);
bool ReadField(ByteCursor& source, uint32_t& value);
bool ReadField(ByteCursor& source, float& value);
bool ReadField(ByteCursor& source, D3DXVECTOR3& value);
bool ReadField(ByteCursor& source, D3DXQUATERNION& value);  // x, y, z, w
bool ReadField(ByteCursor& source, ColourValue& value);     // r, g, b, a
bool ReadField(ByteCursor& source, MeshUv& value);
bool ReadField(ByteCursor& source, MeshFace& value);  // three u16
// A u32 byte length, then the text; false when fewer bytes are left than the length says.
bool ReadField(ByteCursor& source, std::string& text);
// Position, scale, rotation, radius and pivot: 56 bytes.
bool ReadField(ByteCursor& source, NodeTransform& transform);

template <typename Value, size_t count>
bool ReadField(ByteCursor& source, Value (&values)[count]) {
  for (Value& value : values) {
    if (!ReadField(source, value)) return false;
  }
  return true;
}

// The version field of a record: S_OK when it is `expected`, RECORD_E_UNKNOWNVERSION
// when it is another, and the shortfall's result when the data ends first.
HRESULT ReadRecordVersion(ByteCursor& source, uint32_t expected);

// The result code for a record whose read failed: why `source` fell short
// (RECORD_E_TRUNCATED, RECORD_E_COUNTTOOLARGE or RECORD_E_NAMETOOLONG).
HRESULT ShortfallResult(const ByteCursor& source);

// For a list read element by element: false, noting a count that is too large, when
// `count` elements of at least `minimumElementSize` bytes each cannot fit in what is left.
bool CountFits(ByteCursor& source, uint32_t count, size_t minimumElementSize);

// Reads the fields in order; stops at the first that the data cannot hold.
template <typename... Fields>
bool ReadFields(ByteCursor& source, Fields&... fields) {
  return (ReadField(source, fields) && ...);
}

// Appends to `list` a u32 count of elements, each `elementSize` bytes that
// `readElement(cursor, element)` reads. All the elements' bytes are claimed before the
// list grows, so a count the data cannot back fails without allocating for it.
template <typename Element, typename ReadElement>
bool ReadCountedList(ByteCursor& source, size_t elementSize, std::vector<Element>& list,
                     ReadElement readElement) {
  uint32_t count = 0;
  if (!ReadField(source, count)) return false;
  // A u32 count times any record element's size fits in size_t.
  static_assert(sizeof(size_t) >= 8);
  const size_t byteCount = count * elementSize;
  if (!CountFits(source, count, elementSize)) return false;
  const uint8_t* bytes = source.Take(byteCount);
  ByteCursor elements(bytes, byteCount);
  // Growing by resize keeps the growth geometric when many lists append to one.
  const size_t first = list.size();
  list.resize(first + count);
  for (size_t i = first; i < list.size(); ++i) {
    if (!readElement(elements, list[i])) return false;
  }
  return true;
}

// The same for elements that have a ReadField of their own.
template <typename Element>
bool ReadCountedList(ByteCursor& source, size_t elementSize, std::vector<Element>& list) {
  return ReadCountedList(source, elementSize, list, [](ByteCursor& elements, Element& element) {
    return ReadField(elements, element);
  });
}

void WriteField(ByteWriter& out, uint16_t value);
void WriteField(ByteWriter& out, uint32_t value);
void WriteField(ByteWriter& out, float value);
void WriteField(ByteWriter& out, const D3DXVECTOR3& value);
void WriteField(ByteWriter& out, const D3DXQUATERNION& value);
void WriteField(ByteWriter& out, const ColourValue& value);
void WriteField(ByteWriter& out, const MeshUv& value);
void WriteField(ByteWriter& out, const MeshFace& value);
void WriteField(ByteWriter& out, const std::string& text);
void WriteField(ByteWriter& out, const NodeTransform& transform);
// A list's element count as its u32 field.
void WriteCount(ByteWriter& out, size_t count);

template <typename Value, size_t count>
void WriteField(ByteWriter& out, const Value (&values)[count]) {
  for (const Value& value : values) WriteField(out, value);
}

template <typename... Fields>
void WriteFields(ByteWriter& out, const Fields&... fields) {
  (WriteField(out, fields), ...);
}

// A u32 count, then each element as `writeElement(writer, element)` writes it.
template <typename Element, typename WriteElement>
void WriteCountedList(ByteWriter& out, const std::vector<Element>& list,
                      WriteElement writeElement) {
  WriteCount(out, list.size());
  for (const Element& element : list) writeElement(out, element);
}

template <typename Element>
void WriteCountedList(ByteWriter& out, const std::vector<Element>& list) {
  WriteCountedList(out, list,
                   [](ByteWriter& writer, const Element& element) { WriteField(writer, element); });
}
