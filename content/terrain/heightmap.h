#pragma once
// "land1.raw": the terrain flight's landscape, a mountain range cut by the valley that the
// camera flies down.
#include <cstdint>
#include <vector>

// kHeightmapColumns x kHeightmapRows bytes, map row 0 first (the far edge, z = depth),
// 0 = lowest, 255 = kLandscapeHeightScale.
std::vector<uint8_t> MakeLandscapeHeightmap();
