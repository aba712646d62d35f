#pragma once
// Rectangle arithmetic between the demo's picture convention (row 0 at the top) and
// OpenGL's (row 0 at the bottom), and the placement of the picture in the window.
#include <cstdint>

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
