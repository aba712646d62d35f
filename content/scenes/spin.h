#pragma once
// Steady turning for the animator: rotation keys of a node spinning about a fixed axis.
#include <vector>

#include "scene/animator.h"
#include "scenes/quaternion.h"

namespace scenes {

// Keys turning `start` about `axis` at `speed` radians per second from `from` to `to`
// seconds. A steady turn about one axis needs no more keys than one per third of a turn.
std::vector<RotationKey> SpinKeys(Quat start, Vec3 axis, float speed, float from, float to);

}  // namespace scenes
