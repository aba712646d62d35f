#pragma once
// The band between the letterbox bars, where every part draws.
#include <cstdint>

#include "render/d3d/d3d_types.h"

// The viewport of the whole render target.
D3DVIEWPORT7 WholeTargetViewport(uint32_t width, uint32_t height);
// The viewport of the band of a `width` x `height` target: the bars above and below it are
// 8 % of the height each.
D3DVIEWPORT7 LetterboxBand(uint32_t width, uint32_t height);
