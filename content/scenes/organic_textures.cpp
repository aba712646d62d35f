#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "scenes/texture_painters.h"
#include "kit/portable_maths.h"

namespace scenes {

PixelImage VeinsTexture() {
  PixelImage image(256, 256);
  PaintEachPixel(image, [](float u, float v) {
    // Ridged noise: thin bright lines where the noise crosses its middle, like veins
    // under a skin, over a mottled flesh.
    const float ridge = 1 - std::fabs(2 * FractalNoise(u, v, 6, 4, 0.5f, 151) - 1);
    const float fine = 1 - std::fabs(2 * FractalNoise(u, v, 16, 3, 0.5f, 152) - 1);
    const float veins = portable::pow(ridge, 10.0f) + 0.5f * portable::pow(fine, 14.0f);
    const float flesh = 0.35f + 0.3f * FractalNoise(u, v, 8, 4, 0.6f, 153);
    return Colour{flesh * 0.8f + veins * 0.9f, flesh * 0.5f + veins, flesh * 0.65f + veins * 0.4f,
                  1};
  });
  return image;
}

}  // namespace scenes
