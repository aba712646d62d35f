#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "kit/random.h"
#include "scenes/texture_painters.h"
#include "kit/portable_maths.h"

namespace scenes {

PixelImage StoneTexture() {
  constexpr int kCourses = 6, kBlocksPerCourse = 3;
  PixelImage image(256, 256);
  PaintEachPixel(image, [](float u, float v) {
    const float courseHeight = 1.0f / kCourses;
    const int course = std::min(kCourses - 1, static_cast<int>(v / courseHeight));
    // Every other course is set half a block along (running bond).
    const float offset = (course % 2) * 0.5f / kBlocksPerCourse;
    const float along = std::fmod(u + offset, 1.0f) * kBlocksPerCourse;
    const int block = static_cast<int>(along);
    const float inBlockU = along - static_cast<float>(block);
    const float inBlockV = (v - static_cast<float>(course) * courseHeight) / courseHeight;
    // Mortar joints, worn unevenly.
    const float wear = FractalNoise(u, v, 16, 3, 0.5f, 41) * 0.012f;
    const float jointU = std::min(inBlockU, 1 - inBlockU) / kBlocksPerCourse;
    const float jointV = std::min(inBlockV, 1 - inBlockV) * courseHeight;
    const float joint = std::min(jointU, jointV) - wear;
    const uint32_t blockSeed = HashPoint(block, course, 43);
    const float tone = 0.6f + 0.4f * static_cast<float>(blockSeed % 1000) / 1000.0f;
    const float grain = FractalNoise(u, v, 32, 4, 0.55f, 44);
    const float stains = FractalNoise(u, v, 4, 3, 0.6f, 45);
    // Light from above: the upper edge of each block catches it, the lower one is shadowed.
    const float bevel = std::clamp((0.5f - inBlockV) * 0.35f, -0.12f, 0.12f);
    float grey = tone * (0.55f + 0.3f * grain) * (0.8f + 0.3f * stains) + bevel;
    if (joint < 0.007f) grey = 0.14f + 0.1f * grain;
    return Colour{grey * 1.02f, grey * 0.96f, grey * 0.88f, 1};
  });
  return image;
}

PixelImage RockTexture() {
  PixelImage image(256, 256);
  PaintEachPixel(image, [](float u, float v) {
    // Layered rock: strata across v, broken by cracks along cell edges and lichen spots.
    const float strata =
        0.5f + 0.5f * portable::sin((v + 0.08f * FractalNoise(u, v, 4, 3, 0.5f, 51)) * 6.2831853f * 6);
    const float grain = FractalNoise(u, v, 16, 5, 0.55f, 52);
    const float crack = CellDistance(u, v, 7, 53);
    const float edge = std::clamp((crack - 0.05f) * 14, 0.0f, 1.0f);
    const float grey = (0.32f + 0.25f * grain + 0.1f * strata) * (0.45f + 0.55f * edge);
    const float tint = FractalNoise(u, v, 8, 3, 0.5f, 54);
    return Colour{grey * (0.95f + 0.1f * tint), grey * 0.92f, grey * (0.95f + 0.15f * (1 - tint)),
                  1};
  });
  return image;
}

}  // namespace scenes
