#pragma once
// The sizes of a texture's mip levels: each level halves the previous one, rounding down,
// and no side goes below one pixel.
#include "render/d3d/d3d_types.h"

// The side of `level` for a level-0 side of `size`.
DWORD LevelExtent(DWORD size, DWORD level);

// The number of levels from `width` x `height` down to 1 x 1.
DWORD FullMipChainLength(DWORD width, DWORD height);

// The area of level `level` that `rect` (on level 0, valid for it) covers, rounded outward
// so that it is never empty.
RECT RectAtLevel(const RECT& rect, DWORD width, DWORD height, DWORD level);
