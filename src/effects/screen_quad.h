#pragma once
// The screen-space picture that several overlays draw: two pre-transformed triangles
// covering a rectangle of render-target pixels with a whole texture stretched over it,
// the opacity byte they carry in their vertex colour, and the states they draw in.
#include <array>

#include "render/d3d/d3d_types.h"

class IDirect3DDevice7;

// Pre-transformed position (x, y in pixels, z 0, reciprocal w 1), diffuse colour and one
// texture coordinate pair.
struct ScreenVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};
constexpr DWORD kScreenVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

using ScreenQuad = std::array<ScreenVertex, 6>;

// The triangles (left, top), (right, top), (left, bottom) and (left, bottom), (right, top),
// (right, bottom), textured from (0, 0) at the top left to (1, 1) at the bottom right, all
// in `colour`.
ScreenQuad MakeScreenQuad(float left, float top, float right, float bottom, D3DCOLOR colour);

// `rgb` (its own alpha ignored) with trunc(opacity x 255) in the alpha byte.
D3DCOLOR WithOpacity(float opacity, D3DCOLOR rgb);

// The states of a textured overlay, set in this order: no alpha test, blending (once
// enabled) by the source's alpha, stage 0 modulating the texture by the diffuse colour,
// and no depth test.
void SetOverlayStates(IDirect3DDevice7* device);
