#pragma once
// CHeightField: the terrain flight's landscape, a grid mesh raised from an 8-bit heightmap
// in the archive. Its vertices carry a directional light baked into their colour, a colour
// ramp coordinate chosen by height and a tiled detail coordinate, so it draws unlit.
#include <cstdint>
#include <span>
#include <vector>

#include "render/d3d/device.h"

// The landscape's vertex: position, baked light, the ramp's coordinates (set 0) and the
// detail's (set 1), 32 bytes.
struct HeightFieldVertex {
  float x, y, z;
  D3DCOLOR colour;
  float rampU, rampV;
  float detailU, detailV;
};
constexpr DWORD kHeightFieldVertexFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX2;

// The answer of Build for a heightmap entry that does not hold columns x rows bytes.
constexpr HRESULT kHeightmapWrongSize = MakeResult(0x80070018u);

// The bilinear sample of `map` (columns x rows bytes, row after row) at (sx, sy) in 0..1,
// as a height in 0..1: sx runs along a map row, sy down the rows.
float SampleHeightmap(std::span<const uint8_t> map, int columns, int rows, float sx, float sy);

class CHeightField {
 public:
  ~CHeightField() { Release(); }

  // Reads the archive entry `entryName` (columns x rows bytes) from the demo's archive and
  // builds the mesh over width x depth world units, a sample of 255 standing `heightScale`
  // high. Map row 0 lies at z = depth, the last row at z = 0. Returns the archive's or the
  // device's failure, kHeightmapWrongSize (the bytes stay in `heightmap` to report), or
  // E_INVALIDARG for a grid that 16-bit indices cannot reach.
  HRESULT Build(const char16_t* entryName, int columns, int rows, float width, float depth,
                float heightScale);
  // Draws the mesh with culling off, then switches stage 1 off.
  void Draw(IDirect3DDevice7* device) const;
  void Release();

  // The map's height at (sx, sy) in 0..1, as SampleHeightmap reads it.
  float Sample(float sx, float sy) const;

  IDirect3DVertexBuffer7* vertexBuffer = nullptr;
  DWORD vertexCount = 0;
  std::vector<uint16_t> indices;  // a triangle list
  std::vector<uint8_t> heightmap;
  int mapColumns = 0, mapRows = 0;
  float width = 0, depth = 0, heightScale = 0;

 private:
  HRESULT ReadHeightmap(const char16_t* entryName);
  void FillVertices(HeightFieldVertex* vertices) const;
  void FillIndices();
  void BakeLight(HeightFieldVertex* vertices) const;
};
