// The box, sphere, cone and ring, all turned about an axis.
#include <cmath>
#include <numbers>

#include "shapes/loft.h"
#include "shapes/ring_paths.h"
#include "shapes/shape_meshes.h"
#include "kit/portable_maths.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// The surface turned from `profile` about the y axis.
MeshFrame Turned(const std::vector<ProfilePoint>& profile, LoopShape shape, float spacing) {
  MeshBuilder mesh;
  AddLoft(mesh, SpaceRings(LatheRings(profile), spacing), shape, spacing);
  return mesh.Finish();
}

// `count` + 1 points of the circle of `radius` about (centreRadius, centreHeight) in the
// profile plane, from `fromAngle` to `toAngle`, the ends sharp.
std::vector<ProfilePoint> ProfileArc(float centreRadius, float centreHeight, float radius,
                                     float fromAngle, float toAngle, int count) {
  std::vector<ProfilePoint> arc;
  for (int i = 0; i <= count; ++i) {
    const float angle =
        fromAngle + (toAngle - fromAngle) * static_cast<float>(i) / static_cast<float>(count);
    arc.push_back({centreRadius + radius * portable::cos(angle), centreHeight + radius * portable::sin(angle),
                   i == 0 || i == count});
  }
  return arc;
}

}  // namespace

MeshFrame BoxMesh() {
  constexpr float kHalf = 35;
  constexpr float kBottom = 43 - kHalf;  // centred on the morph's y offset for the box
  // Six rings across each face, so every square ring lands exactly on a corner.
  constexpr float kSpacing = kHalf / 6;
  return Turned({{0, kBottom, true},
                 {kHalf, kBottom, true},
                 {kHalf, kBottom + 2 * kHalf, true},
                 {0, kBottom + 2 * kHalf, true}},
                LoopShape::kSquare, kSpacing);
}

MeshFrame SphereMesh() {
  // A radius of exactly zero at the poles, where sine and cosine would leave a trace.
  std::vector<ProfilePoint> arc = ProfileArc(0, 0, 40, -kPi / 2, kPi / 2, 64);
  arc.front().radius = 0;
  arc.back().radius = 0;
  return Turned(arc, LoopShape::kEllipse, 5.5f);
}

MeshFrame ConeMesh() {
  return Turned({{0, 0, true}, {36, 0, true}, {0, 72, true}}, LoopShape::kEllipse, 4.5f);
}

MeshFrame TorusMesh() {
  constexpr float kSpacing = 4;
  // The tube's profile starts and ends at its inner edge; those two rings are the seam and
  // must meet exactly, which sin(-pi) and sin(pi) in floats do not quite.
  std::vector<ProfilePoint> tube = ProfileArc(26, 0, 9, -kPi, kPi, 64);
  tube.back() = tube.front();
  MeshBuilder mesh;
  AddLoft(mesh, SpaceRings(LatheRings(tube), kSpacing), LoopShape::kEllipse, kSpacing);
  // A quarter turn about x puts the ring's axis along z.
  mesh.MovePositions([](Vec3 p) { return Vec3{p.x, -p.z, p.y}; });
  return mesh.Finish();
}
