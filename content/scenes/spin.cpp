#include "scenes/spin.h"

#include <algorithm>
#include <cmath>

#include "scenes/keyframes.h"

namespace scenes {

std::vector<RotationKey> SpinKeys(Quat start, Vec3 axis, float speed, float from, float to) {
  constexpr float kLongestStep = 2.0f;  // radians between keys, well below half a turn
  const int steps =
      std::max(1, static_cast<int>(std::ceil(std::fabs(speed) * (to - from) / kLongestStep)));
  std::vector<TimedRotation> rotations;
  for (const float time : EvenTimes(from, to, steps)) {
    rotations.push_back({time, Then(start, AxisAngle(axis, speed * (time - from)))});
  }
  return RotationKeys(rotations, KeyMotion::kSmooth);
}

}  // namespace scenes
