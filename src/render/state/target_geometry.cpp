#include "render/state/target_geometry.h"

PixelRect FlipRows(const PixelRect& rect, int32_t targetHeight) {
  return {rect.x, targetHeight - (rect.y + rect.height), rect.width, rect.height};
}

PixelRect FitKeepingAspect(int32_t pictureWidth, int32_t pictureHeight,
                           int32_t destinationWidth, int32_t destinationHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return {0, 0, 0, 0};
  // Compare the ratios by cross-multiplying, in 64 bits, so that no rounding picks a side.
  const int64_t widthLimited = int64_t{destinationWidth} * pictureHeight;
  const int64_t heightLimited = int64_t{destinationHeight} * pictureWidth;
  int32_t width = destinationWidth;
  int32_t height = destinationHeight;
  if (widthLimited < heightLimited) {
    height = static_cast<int32_t>((widthLimited + pictureWidth / 2) / pictureWidth);
  } else {
    width = static_cast<int32_t>((heightLimited + pictureHeight / 2) / pictureHeight);
  }
  return {(destinationWidth - width) / 2, (destinationHeight - height) / 2, width, height};
}

bool ViewportFitsTarget(const D3DVIEWPORT7& viewport, DWORD targetWidth, DWORD targetHeight) {
  // 64-bit sums: x + width cannot wrap around.
  const uint64_t right = uint64_t{viewport.dwX} + viewport.dwWidth;
  const uint64_t bottom = uint64_t{viewport.dwY} + viewport.dwHeight;
  return viewport.dwWidth != 0 && viewport.dwHeight != 0 && right <= targetWidth &&
         bottom <= targetHeight && viewport.dvMinZ >= 0.0f && viewport.dvMaxZ <= 1.0f &&
         viewport.dvMinZ <= viewport.dvMaxZ;
}
