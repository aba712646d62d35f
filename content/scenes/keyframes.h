#pragma once
// Key lists for the animator's tracks: Hermite position and scale keys whose tangents give
// the speeds wanted at each key, and rotation keys whose control points make the turns
// smooth or make them ease in and stop at every key.
#include <functional>
#include <vector>

#include "scene/animator.h"
#include "scenes/quaternion.h"
#include "kit/vec3.h"

namespace scenes {

enum class KeyMotion {
  kSmooth,      // moves on through inner keys without stopping; still at the first and last
  kStopAtKeys,  // eases in and out of every key
};

struct TimedValue {
  float time = 0;
  Vec3 value;
};

struct TimedRotation {
  float time = 0;
  Quat value;
};

// Position or scale keys through `points` (ascending times).
std::vector<VectorKey> VectorKeys(const std::vector<TimedValue>& points, KeyMotion motion);

// Keys following `curve` from `start` to `end` in `segments` Hermite segments, each
// tangent the curve's own speed there, so the keys reproduce the curve closely.
std::vector<VectorKey> SampledVectorKeys(float start, float end, int segments,
                                         const std::function<Vec3(float time)>& curve);

// Rotation keys through `rotations` (ascending times). With kStopAtKeys every inner key is
// stored twice at its time: the first copy's control ends the turn into it, the second
// copy's starts the turn out of it (the animator never interpolates between the two).
std::vector<RotationKey> RotationKeys(const std::vector<TimedRotation>& rotations,
                                      KeyMotion motion);

// Smooth rotation keys following `orientation` from `start` to `end` in `segments` steps.
std::vector<RotationKey> SampledRotationKeys(float start, float end, int segments,
                                             const std::function<Quat(float time)>& orientation);

// Key times from `start` to `end` in `segments` equal steps.
std::vector<float> EvenTimes(float start, float end, int segments);

}  // namespace scenes
