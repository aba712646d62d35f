#include "scene/geom_object_record.h"

#include <cstdint>
#include <utility>

#include "scene/scene_record_fields.h"

namespace {

constexpr size_t kVectorSize = 12;
constexpr size_t kUvSize = 8;
constexpr size_t kColourSize = 16;
constexpr size_t kFaceSize = 6;
constexpr size_t kFloatSize = 4;
// A frame holds at least its five list counts and its radius.
constexpr size_t kMinimumFrameSize = 24;

bool ReadFrame(ByteCursor& source, MeshFrame& frame) {
  return ReadCountedList(source, kVectorSize, frame.positions) &&
         ReadCountedList(source, kVectorSize, frame.vectors) &&
         ReadCountedList(source, kUvSize, frame.uvs) &&
         ReadCountedList(source, kColourSize, frame.colours) &&
         ReadCountedList(source, kFaceSize, frame.faces) && ReadField(source, frame.radius);
}

// Frames differ in size, so the frames are appended one by one, after a check that the
// data left could hold that many of the smallest frame.
bool ReadFrames(ByteCursor& source, std::vector<MeshFrame>& frames) {
  uint32_t count = 0;
  if (!ReadField(source, count)) return false;
  if (!CountFits(source, count, kMinimumFrameSize)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    MeshFrame frame;
    if (!ReadFrame(source, frame)) return false;
    frames.push_back(std::move(frame));
  }
  return true;
}

void WriteFrame(ByteWriter& out, const MeshFrame& frame) {
  WriteCountedList(out, frame.positions);
  WriteCountedList(out, frame.vectors);
  WriteCountedList(out, frame.uvs);
  WriteCountedList(out, frame.colours);
  WriteCountedList(out, frame.faces);
  WriteField(out, frame.radius);
}

}  // namespace

HRESULT ReadGeomObjectRecord(ByteCursor& source, GeomObjectRecord& record) {
  if (const HRESULT result = ReadRecordVersion(source, kGeomObjectRecordVersion);
      FAILED(result)) {
    return result;
  }
  GeomObjectRecord read;
  if (!ReadFields(source, read.materialName, read.transform) || !ReadFrames(source, read.frames) ||
      !ReadCountedList(source, kFloatSize, read.frameTimes)) {
    return ShortfallResult(source);
  }
  record = std::move(read);
  return S_OK;
}

HRESULT ReadGeomObjectRecord(const uint8_t* data, size_t length, GeomObjectRecord& record) {
  ByteCursor source(data, length);
  return ReadGeomObjectRecord(source, record);
}

void WriteGeomObjectRecord(ByteWriter& out, const GeomObjectRecord& record) {
  WriteFields(out, kGeomObjectRecordVersion, record.materialName, record.transform);
  WriteCountedList(out, record.frames, WriteFrame);
  WriteCountedList(out, record.frameTimes);
}

std::vector<uint8_t> WriteGeomObjectRecord(const GeomObjectRecord& record) {
  ByteWriter out;
  WriteGeomObjectRecord(out, record);
  return out.TakeBytes();
}

bool FacesIndexPositions(const MeshFrame& frame) {
  const size_t count = frame.positions.size();
  for (const MeshFace& face : frame.faces) {
    if (face.a >= count || face.b >= count || face.c >= count) return false;
  }
  return true;
}
