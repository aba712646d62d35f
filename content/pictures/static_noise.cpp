// "static2.png": television static. The intro shows exactly one repeat of it stretched over
// the whole 640 x 480 screen, at a new random offset every frame, so each texel becomes a
// grain of about 2.5 x 1.9 pixels and the texture must join seamlessly with itself.
#include <algorithm>

#include "kit/noise.h"
#include "kit/png_encoder.h"
#include "kit/random.h"
#include "pictures/picture_entries.h"

namespace picture_art {
namespace {
constexpr int kSize = 256;
constexpr uint32_t kSeed = 0x53544154;

float Hashed(int x, int y, uint32_t seed) {
  return static_cast<float>(HashPoint(x, y, seed) >> 8) / 16777215.0f;
}

// Roughly normal noise in 0..1 (the mean of three uniform values), mean 0.5.
float Grain(int x, int y) {
  return (Hashed(x, y, kSeed) + Hashed(x, y, kSeed + 1) + Hashed(x, y, kSeed + 2)) / 3.0f;
}
}  // namespace

ArchiveEntry MakeStaticEntry() {
  PixelImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    // A picture tube smears the signal along its lines; some lines catch interference.
    const float lineGain = 0.9f + 0.2f * Hashed(0, y, kSeed + 3);
    const float interference = Hashed(1, y, kSeed + 3) < 0.04f ? 0.14f : 0.0f;
    for (int x = 0; x < kSize; ++x) {
      const float smeared = 0.25f * Grain((x + kSize - 1) % kSize, y) + 0.5f * Grain(x, y) +
                            0.25f * Grain((x + 1) % kSize, y);
      const float u = (static_cast<float>(x) + 0.5f) / kSize;
      const float v = (static_cast<float>(y) + 0.5f) / kSize;
      const float drift = 0.85f + 0.3f * FractalNoise(u, v, 4, 2, 0.5f, kSeed + 4);
      // The smearing narrows the spread; stretch it back to a full-contrast snow.
      const float value = (0.4f + (smeared - 0.5f) * 2.4f) * lineGain * drift + interference;
      const float grey = std::clamp(value, 0.0f, 1.0f);
      image.Set(x, y, {grey, grey, grey, 1.0f});
    }
  }
  return StreamEntry("static2.png", EncodePng(image, PngChannels::kGrey));
}

}  // namespace picture_art
