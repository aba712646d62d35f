#include "surfaces/tetradoom_face.h"

#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "surfaces/surface_shading.h"
#include "kit/portable_maths.h"

namespace surfaces {
namespace {

constexpr int kPatternLevels = 2;  // triangle levels drawn inside each face

const Colour kEmber{0.85f, 0.18f, 0.04f};
const Colour kFlame{1.00f, 0.62f, 0.15f};
const Colour kWhiteHot{1.00f, 0.97f, 0.85f};

// Brightness of the lines of the fractal's triangle pattern at these weights: the face's
// own edges at full strength, each level inside at a fraction of the one above.
float PatternLines(FaceWeights weights, float width) {
  float strength = 1.0f;
  float brightness = 0.0f;
  for (int level = 0; level <= kPatternLevels; ++level) {
    const float edge = std::min({weights.apex, weights.left, weights.right});
    brightness = std::max(brightness, strength * portable::exp(-edge / width));
    // Descend into the corner triangle that holds the point; the middle one is a hole.
    if (weights.apex >= 0.5f) {
      weights = {weights.apex * 2.0f - 1.0f, weights.left * 2.0f, weights.right * 2.0f};
    } else if (weights.left >= 0.5f) {
      weights = {weights.apex * 2.0f, weights.left * 2.0f - 1.0f, weights.right * 2.0f};
    } else if (weights.right >= 0.5f) {
      weights = {weights.apex * 2.0f, weights.left * 2.0f, weights.right * 2.0f - 1.0f};
    } else {
      break;
    }
    strength *= 0.55f;
    width *= 2.0f;  // the same width on the face as the level above
  }
  return brightness;
}

Colour Face(float u, float v) {
  const FaceWeights weights = FaceWeightsAt(u, v);
  const float inside = std::min({weights.apex, weights.left, weights.right});
  const float lines = PatternLines(weights, 0.016f);
  // A faint body that brightens towards the edges, with a slow shimmer.
  const float shimmer = FractalNoise(u, v, 4, 3, 0.5f, 101);
  const float body =
      0.07f + 0.2f * Smoothstep(0.33f, 0.0f, std::max(inside, 0.0f)) * (0.6f + 0.8f * shimmer);

  const float heat = std::max(lines, body);
  Colour colour = Mix(kEmber, kFlame, Smoothstep(0.1f, 0.6f, heat));
  colour = Mix(colour, kWhiteHot, Smoothstep(0.6f, 1.0f, heat));
  colour.a = inside < 0.0f ? 0.0f : Saturate(heat);
  return colour;
}

}  // namespace

FaceWeights FaceWeightsAt(float u, float v) {
  // Corners A (0.5, 0), B (0, 1), C (1, 1): v measures the apex weight from the base.
  const float apex = 1.0f - v;
  const float right = u - 0.5f * (1.0f - v);
  const float left = 1.0f - apex - right;
  return {apex, left, right};
}

PixelImage MakeTetradoomFace() {
  PixelImage image(kTetradoomFaceSize, kTetradoomFaceSize);
  PaintSupersampled(image, 3, Face);
  return image;
}

}  // namespace surfaces
