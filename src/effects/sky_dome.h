#pragma once
// CSkyDome: the terrain flight's sky, the upper half of an ellipsoid of rings around a
// vertical axis, closed by an apex vertex at the top. Its picture is projected from above,
// so a texture transform can turn the clouds about the apex.
#include <cstdint>
#include <vector>

#include "render/d3d/device.h"
#include "scene/scene_vertex.h"

class CSkyDome {
 public:
  ~CSkyDome() { Release(); }

  // Builds the dome about `centre`: `verticalRadius` up to the apex, `horizontalRadius`
  // out to the rim, `segments` vertices around each of `rings` - 1 rings (the last of a
  // ring repeats its first). The index list holds segments x (6 rings - 9) entries, of
  // which the last 6 x segments stay 0: degenerate triangles, drawn with the rest.
  // Returns the device's failure, or E_INVALIDARG for a dome that 16-bit indices cannot
  // reach.
  HRESULT Build(const D3DVECTOR& centre, float verticalRadius, float horizontalRadius,
                int segments, int rings);
  void Release();

  IDirect3DVertexBuffer7* vertexBuffer = nullptr;
  DWORD vertexCount = 0;
  std::vector<uint16_t> indices;  // a triangle list
};
