#pragma once
// Reading the picture back, for screenshots and image tests.
#include <cstdint>
#include <vector>

#include "render/d3dx/d3dx_context.h"

// The render target's pixels as 0xAARRGGBB, row 0 (the top) first, and its size.
// DDERR_INVALIDPARAMS when `context` is not one that D3DXCreateContextEx made or an
// output is null.
HRESULT ReadRenderTarget(ID3DXContext* context, std::vector<uint32_t>& pixelsArgb,
                         DWORD* width, DWORD* height);
