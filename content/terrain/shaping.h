#pragma once
// Small curve helpers shared by the landscape's generators.
#include <algorithm>
#include <cmath>

inline float Squared(float value) { return value * value; }

// 0 below edge0, 1 above edge1, a smooth S-curve between.
inline float SmoothStep(float edge0, float edge1, float value) {
  const float f = std::clamp((value - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return f * f * (3.0f - 2.0f * f);
}

// The smaller of a and b with the crease between them rounded off over `softness`; never
// above either argument.
inline float SmoothMinimum(float a, float b, float softness) {
  const float overlap = std::max(softness - std::fabs(a - b), 0.0f) / softness;
  return std::min(a, b) - overlap * overlap * softness * 0.25f;
}
