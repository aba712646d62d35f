#pragma once
// Rectangle arithmetic between the demo's picture convention (row 0 at the top) and
// OpenGL's (row 0 at the bottom), and the placement of the picture in the window.
#include <cstdint>

#include "render/d3d/d3d_types.h"

struct PixelRect {
  int32_t x, y, width, height;
};

// The same rectangle counted from the other edge of a target `targetHeight` rows tall:
// a rectangle whose top is at row y (downward) starts at row H - (y + height) upward.
PixelRect FlipRows(const PixelRect& rect, int32_t targetHeight);

// The largest rectangle with the picture's aspect ratio that fits in the destination,
// centred in it (the rest is left for black bars).
PixelRect FitKeepingAspect(int32_t pictureWidth, int32_t pictureHeight,
                           int32_t destinationWidth, int32_t destinationHeight);

// A viewport a device accepts: not empty, inside a target of the given size, with a depth
// range within 0..1 (NaN fails every test).
bool ViewportFitsTarget(const D3DVIEWPORT7& viewport, DWORD targetWidth, DWORD targetHeight);
