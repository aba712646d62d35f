#pragma once
// Where each component of a flexible vertex format lies in a vertex. Position (XYZ or
// XYZRHW), normal, diffuse, specular and up to eight texture coordinate sets follow one
// another in that order; normals and specular colours are stepped over, as nothing reads
// them.
#include <array>
#include <cstdint>

#include "render/d3d/d3d_types.h"

constexpr DWORD kMaxTexCoordSets = 8;

struct FvfLayout {
  DWORD fvf = 0;
  bool pretransformed = false;  // XYZRHW: x, y in render-target pixels, z depth, 1/w
  bool hasDiffuse = false;
  uint32_t texCoordSets = 0;
  uint32_t stride = 0;  // bytes per vertex
  uint32_t diffuseOffset = 0;
  std::array<uint32_t, kMaxTexCoordSets> texCoordOffsets{};
  // Floats in each set (1 to 4); only u and v are read.
  std::array<uint32_t, kMaxTexCoordSets> texCoordComponents{};
};

// False for a format without an XYZ or XYZRHW position, with more than eight coordinate
// sets, or with bits that name no component.
bool DescribeFvf(DWORD fvf, FvfLayout* layout);
