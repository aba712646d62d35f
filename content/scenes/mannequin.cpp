#include "scenes/mannequin.h"

#include <vector>

#include "scenes/primitives.h"
#include "scenes/sweeps.h"

namespace scenes {
namespace {

constexpr int kLimbSides = 5;
constexpr float kShoulderHeight = 1.44f, kShoulderWidth = 0.21f, kHipHeight = 0.93f,
                kHipWidth = 0.09f;

// A tube through three joints, tapering, with a rounded end.
Mesh Limb(Vec3 start, Vec3 middle, Vec3 end, float startRadius, float endRadius) {
  const float middleRadius = (startRadius + endRadius) / 2;
  const std::vector<Vec3> path = {start, Lerp(start, middle, 0.5f), middle, Lerp(middle, end, 0.5f),
                                  end};
  const std::vector<float> radii = {startRadius, (startRadius + middleRadius) / 2, middleRadius,
                                    (middleRadius + endRadius) / 2, endRadius};
  Mesh limb = Tube(path, radii, kLimbSides);
  Append(limb, Placed(Sphere(endRadius, 5, 3), {end}));
  return limb;
}

Vec3 Mirrored(Vec3 v) { return {-v.x, v.y, v.z}; }

}  // namespace

Pose StandingPose() {
  const LimbPose side{
      {0.26f, 1.13f, 0.02f}, {0.27f, 0.84f, 0.0f}, {0.1f, 0.5f, -0.02f}, {0.11f, 0.06f, 0}};
  return {side, side, 0};
}

Pose ReachingPose() {
  Pose pose = StandingPose();
  pose.left.elbow = {0.32f, 1.68f, -0.05f};
  pose.left.hand = {0.36f, 1.98f, -0.12f};
  pose.headTilt = -0.35f;
  return pose;
}

Pose WaitingPose() {
  Pose pose = StandingPose();
  pose.left.elbow = {0.24f, 1.12f, -0.1f};
  pose.left.hand = {-0.08f, 1.22f, -0.2f};
  pose.right.elbow = {0.24f, 1.12f, -0.1f};
  pose.right.hand = {-0.1f, 1.18f, -0.18f};
  pose.right.knee = {0.1f, 0.5f, -0.09f};
  pose.right.foot = {0.16f, 0.06f, -0.05f};
  pose.headTilt = 0.2f;
  return pose;
}

Mesh Mannequin(const Pose& pose) {
  // Torso: a turned profile from the hips to the neck, flattened front to back.
  const std::vector<Vec2> torsoProfile = {{0.0f, 0.86f},  {0.15f, 0.88f}, {0.17f, 0.98f},
                                          {0.13f, 1.12f}, {0.17f, 1.3f},  {0.2f, 1.42f},
                                          {0.08f, 1.5f},  {0.055f, 1.58f}};
  Mesh body = Placed(Lathe(torsoProfile, 8), {{}, {}, {1, 1, 0.62f}});
  const Quat nod = AxisAngle({1, 0, 0}, -pose.headTilt);
  Append(body, Placed(Sphere(0.11f, 8, 6), {{0, 1.7f, 0}, nod, {0.85f, 1.12f, 0.95f}}));
  const LimbPose sides[2] = {pose.left, pose.right};
  for (int side = 0; side < 2; ++side) {
    const auto place = [side](Vec3 v) { return side == 0 ? v : Mirrored(v); };
    const LimbPose& limb = sides[side];
    Append(body, Limb(place({kShoulderWidth, kShoulderHeight, 0}), place(limb.elbow),
                      place(limb.hand), 0.05f, 0.035f));
    Append(body, Limb(place({kHipWidth, kHipHeight, 0}), place(limb.knee), place(limb.foot), 0.075f,
                      0.045f));
  }
  return body;
}

}  // namespace scenes
