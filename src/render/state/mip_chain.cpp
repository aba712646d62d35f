#include "render/state/mip_chain.h"

#include <algorithm>
#include <cstdint>

namespace {

// Maps a level-0 edge onto a level `levelSize / size` as large, rounding down or up.
int32_t ScaleEdge(int32_t edge, DWORD size, DWORD levelSize, bool roundUp) {
  const uint64_t scaled = uint64_t(edge) * levelSize + (roundUp ? size - 1 : 0);
  return static_cast<int32_t>(scaled / size);
}

}  // namespace

DWORD LevelExtent(DWORD size, DWORD level) {
  if (level >= 32) return 1;
  return std::max<DWORD>(size >> level, 1);
}

DWORD FullMipChainLength(DWORD width, DWORD height) {
  DWORD levels = 1;
  for (DWORD side = std::max(width, height); side > 1; side >>= 1) ++levels;
  return levels;
}

// Proportional edges keep the area inside the level even where odd sizes make a level
// less than half the one above; since left < right, floor(left) < ceil(right) follows.
RECT RectAtLevel(const RECT& rect, DWORD width, DWORD height, DWORD level) {
  const DWORD levelWidth = LevelExtent(width, level), levelHeight = LevelExtent(height, level);
  return {ScaleEdge(rect.left, width, levelWidth, false),
          ScaleEdge(rect.top, height, levelHeight, false),
          ScaleEdge(rect.right, width, levelWidth, true),
          ScaleEdge(rect.bottom, height, levelHeight, true)};
}
