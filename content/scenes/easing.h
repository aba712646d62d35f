#pragma once
// Easing curves for motion: each maps 0..1 onto 0..1 and clamps outside.
#include <algorithm>

namespace scenes {

// Starts and stops gently (zero speed at both ends).
inline float EaseInOut(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}
// Starts gently, ends at full speed.
inline float EaseIn(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return t * t;
}
// Starts at full speed, stops gently.
inline float EaseOut(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return 1 - (1 - t) * (1 - t);
}
inline float Linear(float t) { return std::clamp(t, 0.0f, 1.0f); }

}  // namespace scenes
