#pragma once
// The checks every device makes of a draw, and of a vertex buffer it is asked to create,
// before its backend sees them. The sizes are
// Direct3D 7's limit of 0xFFFF vertices, and at most that many triangles' worth of
// indices; anything larger is refused before a byte is read or allocated.
#include <cstdint>
#include <optional>

#include "render/d3d/d3d_types.h"
#include "render/state/fvf_layout.h"

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

// The layout of the vertices of a buffer made from `desc`; empty when Direct3D 7 refuses
// it: a size field other than sizeof(D3DVERTEXBUFFERDESC), a format without a layout, no
// vertices or more than kMaxVertexBufferVertices.
std::optional<FvfLayout> VertexBufferLayout(const D3DVERTEXBUFFERDESC& desc);
