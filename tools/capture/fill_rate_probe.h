#pragma once
// How fast the renderer fills: full-band quads with a trilinear-filtered, mipmapped texture
// modulated by the vertex colour, drawn through the device as the parts draw, with no depth
// test and no blending. Every fragment of such a quad is shaded once, so the fragments per
// second it reaches is the ceiling for a part whose overdraw is 1.
#include <string>

#include "render/d3d/device.h"
#include "render/d3dx/d3dx_context.h"

// Draws the probe's frames with `device` inside `band`, counts their fragments with a
// counter from `context`, and returns one line that gives the fragments per second; the
// device's states and stage 0's texture are as they were afterwards.
std::string ProbeFillRate(ID3DXContext* context, IDirect3DDevice7* device,
                          const D3DVIEWPORT7& band);
