#include "render/state/surface_rect.h"

#include <cstdint>

bool ResolveRect(const RECT* rect, DWORD width, DWORD height, RECT* resolved) {
  if (rect == nullptr) {
    if (width == 0 || height == 0) return false;
    *resolved = {0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
    return true;
  }
  // Compared in 64 bits so that no surface size turns negative.
  const bool inside = rect->left >= 0 && rect->top >= 0 && rect->left < rect->right &&
                      rect->top < rect->bottom && int64_t{rect->right} <= int64_t{width} &&
                      int64_t{rect->bottom} <= int64_t{height};
  if (inside) *resolved = *rect;
  return inside;
}
