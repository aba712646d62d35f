#pragma once
// The checks every device makes of a draw before its backend sees it. The sizes are
// Direct3D 7's limit of 0xFFFF vertices, and at most that many triangles' worth of
// indices; anything larger is refused before a byte is read or allocated.
#include <cstdint>
#include <optional>

#include "render/d3d/d3d_types.h"

constexpr DWORD kMaxVerticesPerDraw = 0xFFFF;
constexpr DWORD kMaxIndicesPerDraw = 3 * kMaxVerticesPerDraw;
constexpr DWORD kMaxVertexBufferVertices = kMaxVerticesPerDraw;

// Indices to draw with: none (plain vertex order) when `data` is null.
struct IndexList {
  const uint16_t* data = nullptr;
  DWORD count = 0;
};

enum class DrawCheck {
  kDraw,     // go ahead
  kNothing,  // no vertices or an empty index list: D3D_OK, nothing drawn
  kRefuse,   // DDERR_INVALIDPARAMS
};

// `vertices` is the memory drawn from, or any non-null pointer for a draw from a vertex
// buffer (whose range the device checks itself). Refused: an unknown primitive type, more
// than kMaxVerticesPerDraw vertices or kMaxIndicesPerDraw indices, no vertices to read, or
// an index that names none of the vertices.
DrawCheck CheckDraw(D3DPRIMITIVETYPE type, const void* vertices, DWORD vertexCount,
                    const std::optional<IndexList>& indices);
