#pragma once
// The checks every device makes of a draw, and of a vertex buffer it is asked to create,
// before its backend sees them. The sizes are
// Direct3D 7's limit of 0xFFFF vertices, and at most that many triangles' worth of
// indices; anything larger is refused before a byte is read or allocated.
#include <cstdint>
#include <optional>

#include "render/d3d/d3d_types.h"
#include "render/d3d/result.h"
#include "render/state/fvf_layout.h"

constexpr DWORD kMaxVerticesPerDraw = 0xFFFF;
constexpr DWORD kMaxIndicesPerDraw = 3 * kMaxVerticesPerDraw;
constexpr DWORD kMaxVertexBufferVertices = kMaxVerticesPerDraw;

// Indices to draw with: none (plain vertex order) when `data` is null.
struct IndexList {
  const uint16_t* data = nullptr;
  DWORD count = 0;
};

// The answer to a draw that ends at the checks; nothing when the device goes on to draw.
// `vertices` is the memory drawn from, or any non-null pointer for a draw from a vertex
// buffer (whose range the device checks itself). DDERR_INVALIDPARAMS for an unknown
// primitive type, more than kMaxVerticesPerDraw vertices or kMaxIndicesPerDraw indices, no
// vertices to read, or an index that names none of the vertices; D3D_OK, with nothing
// drawn, for no vertices or an empty index list.
std::optional<HRESULT> CheckDraw(D3DPRIMITIVETYPE type, const void* vertices,
                                 DWORD vertexCount, const std::optional<IndexList>& indices);

// The layout of the vertices of a buffer made from `desc`; empty when Direct3D 7 refuses
// it: a size field other than sizeof(D3DVERTEXBUFFERDESC), a format without a layout, no
// vertices or more than kMaxVertexBufferVertices.
std::optional<FvfLayout> VertexBufferLayout(const D3DVERTEXBUFFERDESC& desc);
