#pragma once
// The vertex of every buffer the scene system fills: position, ARGB colour and one pair of
// texture coordinates, 24 bytes.
#include "render/d3d/d3d_types.h"

struct SceneVertex {
  float x, y, z;
  D3DCOLOR colour;
  float u, v;
};
static_assert(sizeof(SceneVertex) == 24, "the scene vertex format is 24 bytes");

constexpr DWORD kSceneVertexFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Direct3D 7 holds at most this many vertices in one buffer and draws at most this many at
// once.
constexpr DWORD kMaxSceneBufferVertices = 0xFFFF;
