#pragma once
// The GeomObject record of the heron scene format: one mesh node, static (one mesh frame)
// or vertex-animated (two or more), as stored in its own stream of a scene storage or as a
// top-level archive entry. The layout, all little-endian and without padding:
//
//   u32 version (1)   string materialName (u32 length, then the bytes)   transform block
//   u32 frameCount, then each mesh frame:
//     u32 count + vec3 positions    u32 count + vec3 vectors    u32 count + (u, v) uvs
//     u32 count + rgba colours      u32 count + three u16 faces  f32 radius
//   u32 frameTimeCount, then f32 frame times
//
// The transform block is position vec3, scale vec3, rotation quat (x, y, z, w), radius f32
// and pivot vec3: 56 bytes. The lists of one frame have counts of their own; nothing ties
// them to each other or the frame count to the frame-time count.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render/d3d/d3d_types.h"
#include "resources/byte_cursor.h"
#include "scene/byte_writer.h"

constexpr uint32_t kGeomObjectRecordVersion = 1;

// A node's placement, shared by the mesh, wave and particle records.
struct NodeTransform {
  D3DXVECTOR3 position{0, 0, 0};
  D3DXVECTOR3 scale{1, 1, 1};
  D3DXQUATERNION rotation{0, 0, 0, 1};
  float radius = 0;  // bounding sphere in object units
  D3DXVECTOR3 pivot{0, 0, 0};
};

struct MeshUv {
  float u = 0, v = 0;
};

// Four floats, nominally 0..1.
struct ColourValue {
  float r = 0, g = 0, b = 0, a = 0;
};

// A triangle: three indices into the frame's positions.
struct MeshFace {
  uint16_t a = 0, b = 0, c = 0;
};

struct MeshFrame {
  std::vector<D3DXVECTOR3> positions;
  std::vector<D3DXVECTOR3> vectors;  // a second per-vertex list (normals), never drawn
  std::vector<MeshUv> uvs;
  std::vector<ColourValue> colours;
  std::vector<MeshFace> faces;
  float radius = 0;  // bounding sphere of this frame
};

struct GeomObjectRecord {
  std::string materialName;
  NodeTransform transform;
  std::vector<MeshFrame> frames;
  std::vector<float> frameTimes;  // scene time of each frame, ascending
};

// Reads one record from the start of `data[0..length)`; bytes after it are ignored.
// RECORD_E_UNKNOWNVERSION, with `record` untouched, for a version other than 1, and the
// cursor's shortfall (see ShortfallResult) for data that ends before the record does. Every count is checked against the bytes that remain before anything
// is allocated for it, so a damaged record costs no more memory than its own size.
HRESULT ReadGeomObjectRecord(const uint8_t* data, size_t length, GeomObjectRecord& record);
// The same from the cursor's position, which it leaves after the record (anywhere on failure).
HRESULT ReadGeomObjectRecord(ByteCursor& source, GeomObjectRecord& record);

// The record's bytes, version 1, every list written with its own count.
std::vector<uint8_t> WriteGeomObjectRecord(const GeomObjectRecord& record);
void WriteGeomObjectRecord(ByteWriter& out, const GeomObjectRecord& record);

// True when every face of `frame` indexes one of its positions; the format itself does not
// promise it.
bool FacesIndexPositions(const MeshFrame& frame);
