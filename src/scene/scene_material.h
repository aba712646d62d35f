#pragma once
// A material of a heron scene: the texture its items are drawn with and how they blend.
#include <cstdint>
#include <string>

#include "render/d3d/result.h"
#include "resources/byte_cursor.h"
#include "scene/byte_writer.h"
#include "scene/geom_object_record.h"

// Material flags.
constexpr uint32_t kMaterialAdditive = 0x01;        // blended ONE/ONE after the opaque items
constexpr uint32_t kMaterialTwoSided = 0x02;        // no back-face culling
constexpr uint32_t kMaterialAlphaBlended = 0x04;    // blended by source alpha after the opaque
constexpr uint32_t kMaterialAnimatedTexture = 0x10; // name carries "_ANIMATED" and a frame count

class CMaterial {
 public:
  // Reads the material record (u32 version 1, string textureName, three rgba colour blocks,
  // two f32 values, u32 flags). RECORD_E_UNKNOWNVERSION for another
  // version, or what fell short (see ShortfallResult) when the bytes do not hold it.
  HRESULT Load(ByteCursor& record);
  // Writes the record, version 1.
  void Save(ByteWriter& record) const;

  std::string name;         // the name of the material's stream, set from the scene's list
  std::string textureName;  // empty: untextured
  ColourValue colours[3]{};  // stored, never drawn
  float value4 = 0, value5 = 0;  // stored, never drawn
  uint32_t flags = 0;
};
