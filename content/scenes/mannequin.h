#pragma once
// Stylised human figures, like artists' mannequins: a turned torso, an egg of a head and
// tube limbs, posed by where the elbows, hands, knees and feet are.
#include "scenes/mesh.h"

namespace scenes {

// Joint positions of one side of the body, in metres, relative to the figure's feet
// (x towards its left side, y up, z forward: the figure faces -z).
struct LimbPose {
  Vec3 elbow, hand, knee, foot;
};

struct Pose {
  LimbPose left, right;
  float headTilt = 0;  // radians, nodding forward
};

Pose StandingPose();
// The standing pose with the left forearm raised towards the sky.
Pose ReachingPose();
// Arms folded in front, weight on one leg.
Pose WaitingPose();

// A figure about 1.8 m tall standing at the origin, facing -z.
Mesh Mannequin(const Pose& pose);

}  // namespace scenes
