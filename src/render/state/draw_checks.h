#pragma once
// What the device checks before it draws. The sizes are Direct3D 7's limit of 0xFFFF
// vertices, and at most that many triangles' worth of indices; anything larger is
// refused before a byte is read or allocated.
#include <GL/gl.h>

#include <cstdint>
#include <optional>

#include "render/d3d/d3d_types.h"

constexpr DWORD kMaxVerticesPerDraw = 0xFFFF;
constexpr DWORD kMaxIndicesPerDraw = 3 * kMaxVerticesPerDraw;
constexpr DWORD kMaxVertexBufferVertices = kMaxVerticesPerDraw;

// Empty for a type the device does not know.
std::optional<GLenum> GlPrimitiveMode(D3DPRIMITIVETYPE type);

// Whether every one of the `count` indices names one of `vertexCount` vertices.
bool IndicesBelow(const uint16_t* indices, DWORD count, DWORD vertexCount);
