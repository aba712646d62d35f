#include "demo/letterbox.h"

namespace {

// The constant is the f32 nearest 0.08, which is slightly below it, so 600 lines give bars
// of 47, not 48.
uint32_t LetterboxTop(uint32_t height) {
  constexpr float kBarFraction = 0.08f;
  return static_cast<uint32_t>(static_cast<double>(height) * static_cast<double>(kBarFraction));
}

D3DVIEWPORT7 Viewport(uint32_t y, uint32_t width, uint32_t height) {
  return D3DVIEWPORT7{0, y, width, height, 0.0f, 1.0f};
}

}  // namespace

D3DVIEWPORT7 WholeTargetViewport(uint32_t width, uint32_t height) {
  return Viewport(0, width, height);
}

D3DVIEWPORT7 LetterboxBand(uint32_t width, uint32_t height) {
  const uint32_t top = LetterboxTop(height);
  return Viewport(top, width, height - 2 * top);
}
