#include "terrain/sky_texture.h"

#include "kit/noise.h"
#include "terrain/shaping.h"

namespace {
constexpr int kSkySize = 256;
}

PixelImage MakeCloudSky() {
  PixelImage sky(kSkySize, kSkySize);
  PaintEachPixel(sky, [](float u, float v) {
    // Deep blue between the clouds, a little lighter where thin veils drift.
    const float veil = FractalNoise(u, v, 3, 4, 0.5f, 9000u);
    const Colour clear = Mix(Colour{0.16f, 0.36f, 0.74f}, Colour{0.42f, 0.60f, 0.88f},
                             SmoothStep(0.45f, 0.8f, veil));
    // Heaped cumulus: bright where the noise is dense, greyer in the thick middles.
    const float density = FractalNoise(u, v, 4, 6, 0.55f, 9100u);
    const float cover = SmoothStep(0.46f, 0.68f, density);
    const float thickness = SmoothStep(0.6f, 0.85f, density);
    const Colour cloud = Mix(Colour{0.98f, 0.98f, 1.0f}, Colour{0.68f, 0.71f, 0.80f},
                             thickness * 0.7f);
    return Mix(clear, cloud, cover);
  });
  return sky;
}
