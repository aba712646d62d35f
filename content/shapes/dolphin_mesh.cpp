// A leaping dolphin: a streamlined body arched along its length, from a short beak over
// a rounded melon to a slim tail stock, with a swept-back dorsal fin, two flippers and
// broad tail flukes that follow the tail's downward curve. Nose towards +x, back up;
// drawn about 15 long, then made a fifth larger.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "shapes/loft.h"
#include "shapes/ring_paths.h"
#include "shapes/shape_meshes.h"
#include "kit/portable_maths.h"

namespace {

// The dorsal fin and the flippers are thin, so they get smaller triangles (thus more
// particles) than their area alone would give them, enough to stand out of the cloud. The
// flukes lie level and the viewer stays level with them, so they keep the body's share.
constexpr float kBodySpacing = 0.28f;
constexpr float kFinSpacing = 0.2f;

constexpr float kArchTop = 0.6f;
constexpr float kArch = 0.04f;
constexpr float kSize = 1.0f;
constexpr float kRollDegrees = 30;

// Height of the spine: the arch of the leap, highest just behind the flippers.
float SpineY(float x) { return kArchTop - kArch * x * x; }

// Cross-sections of the body from the beak's tip to the end of the tail stock: where the
// centre sits relative to the spine and the half-height and half-width there.
struct BodySection {
  float x, aboveSpine, halfHeight, halfWidth;
};

constexpr BodySection kBody[] = {
    {7.5f, -0.4f, 0, 0},           {7.45f, -0.4f, 0.15f, 0.15f},  {7.2f, -0.4f, 0.25f, 0.24f},
    {6.6f, -0.38f, 0.34f, 0.32f},  {6.2f, -0.3f, 0.5f, 0.45f},    {5.8f, -0.1f, 0.95f, 0.78f},
    {5.2f, 0.02f, 1.35f, 1.08f},   {4.2f, 0.06f, 1.7f, 1.3f},     {3.0f, 0.06f, 1.92f, 1.4f},
    {1.5f, 0.04f, 1.95f, 1.38f},   {0.0f, 0.02f, 1.78f, 1.22f},   {-1.5f, 0, 1.45f, 0.95f},
    {-3.0f, -0.02f, 1.05f, 0.62f}, {-4.5f, -0.02f, 0.62f, 0.34f}, {-5.6f, 0, 0.38f, 0.2f},
    {-6.1f, 0, 0.24f, 0.14f},      {-6.45f, 0, 0.12f, 0.08f},     {-6.6f, 0, 0, 0},
};

// The top of the back at x, from the sections on either side.
float BackY(float x) {
  for (size_t i = 1; i < std::size(kBody); ++i) {
    const BodySection& front = kBody[i - 1];
    const BodySection& back = kBody[i];
    if (x > back.x) {
      const float t = (front.x - x) / (front.x - back.x);
      const float above = front.aboveSpine + (back.aboveSpine - front.aboveSpine) * t;
      const float height = front.halfHeight + (back.halfHeight - front.halfHeight) * t;
      return SpineY(x) + above + height;
    }
  }
  return SpineY(x);
}

void AddBody(MeshBuilder& mesh) {
  std::vector<Vec3> centres, radii;
  for (const BodySection& section : kBody) {
    centres.push_back({section.x, SpineY(section.x) + section.aboveSpine, 0});
    radii.push_back({section.halfHeight, section.halfWidth, 0});
  }
  const std::vector<Vec3> path = SmoothCurve(centres, 6);
  std::vector<Vec3> widths = SmoothCurve(radii, 6);
  for (Vec3& width : widths) width = {std::max(width.x, 0.0f), std::max(width.y, 0.0f), 0};
  std::vector<Ring> keys = TubeRings(path, widths, {0, 1, 0});
  keys.front().sharp = true;
  keys.back().sharp = true;
  AddLoft(mesh, SpaceRings(keys, kBodySpacing), LoopShape::kEllipse, kBodySpacing);
}

// A fin from its edges given as control points root to tip (smoothed), with a thickness
// that thins linearly from `rootThickness` to nothing at the tip. The root lies inside the
// body and is left open: a hidden cap would show through the cloud.
void AddFin(MeshBuilder& mesh, const std::vector<Vec3>& leading, const std::vector<Vec3>& trailing,
            float rootThickness, float spacing) {
  const std::vector<Vec3> leadingEdge = SmoothCurve(leading, 6);
  const std::vector<Vec3> trailingEdge = SmoothCurve(trailing, 6);
  std::vector<float> thickness;
  const size_t last = leadingEdge.size() - 1;
  for (size_t i = 0; i <= last; ++i) {
    thickness.push_back(rootThickness * static_cast<float>(last - i) / static_cast<float>(last));
  }
  std::vector<Ring> keys = FinRings(leadingEdge, trailingEdge, thickness);
  keys.front().sharp = true;
  keys.back().sharp = true;
  AddLoft(mesh, SpaceRings(keys, spacing), LoopShape::kEllipse, spacing);
}

// The dorsal fin, its edges given as (x, height above the back), rooted a little inside
// the back and curving backwards to a point.
void AddDorsalFin(MeshBuilder& mesh) {
  const auto onBack = [](std::vector<Vec3> points) {
    for (Vec3& point : points) point.y += BackY(point.x) - 0.15f;
    return points;
  };
  AddFin(
      mesh,
      onBack(
          {{1.5f, 0, 0}, {0.9f, 0.85f, 0}, {0.1f, 1.6f, 0}, {-0.9f, 2.1f, 0}, {-1.9f, 2.35f, 0}}),
      onBack({{-1.1f, 0, 0},
              {-0.95f, 0.7f, 0},
              {-1.0f, 1.35f, 0},
              {-1.25f, 1.95f, 0},
              {-1.9f, 2.35f, 0}}),
      0.26f, kFinSpacing);
}

// The flippers hang from the lower flanks behind the head, swept down and back.
void AddFlippers(MeshBuilder& mesh) {
  const float lift = SpineY(4.0f);
  for (float side : {1.0f, -1.0f}) {
    const auto place = [&](std::vector<Vec3> points) {
      for (Vec3& point : points) point = {point.x, point.y + lift, point.z * side};
      return points;
    };
    AddFin(mesh,
           place({{4.4f, -1.1f, 0.75f},
                  {4.0f, -1.65f, 1.25f},
                  {3.3f, -2.2f, 1.6f},
                  {2.5f, -2.55f, 1.8f}}),
           place({{3.4f, -1.2f, 0.72f},
                  {3.15f, -1.65f, 1.15f},
                  {2.8f, -2.15f, 1.52f},
                  {2.5f, -2.55f, 1.8f}}),
           0.2f, kFinSpacing);
  }
}

// The flukes, one fin to each side from inside the end of the tail stock: chord along the
// tail, thin across it, swept back towards the tips and notched at the middle of the
// trailing edge. Drawn level about the joint, then tipped to follow the tail's slope.
void AddFlukes(MeshBuilder& mesh) {
  struct Station {
    float span, leadingX, trailingX;
  };
  constexpr Station kStations[] = {
      {0.05f, 0.3f, -0.45f},  {0.45f, 0.15f, -0.68f}, {0.85f, -0.2f, -0.95f},
      {1.25f, -0.7f, -1.25f}, {1.6f, -1.12f, -1.42f}, {1.85f, -1.5f, -1.5f},
  };
  constexpr float kJoint = -6.0f;
  const float slope = portable::atan(-2 * kArch * kJoint);  // SpineY's slope at the joint
  const float cosine = portable::cos(slope), sine = portable::sin(slope);
  for (float side : {1.0f, -1.0f}) {
    std::vector<Vec3> leading, trailing;
    for (const Station& station : kStations) {
      const float z = side * station.span;
      leading.push_back(
          {kJoint + station.leadingX * cosine, SpineY(kJoint) + station.leadingX * sine, z});
      trailing.push_back(
          {kJoint + station.trailingX * cosine, SpineY(kJoint) + station.trailingX * sine, z});
    }
    AddFin(mesh, leading, trailing, 0.16f, kBodySpacing);
  }
}

}  // namespace

MeshFrame DolphinMesh() {
  MeshBuilder mesh;
  AddBody(mesh);
  AddDorsalFin(mesh);
  AddFlippers(mesh);
  AddFlukes(mesh);
  // Rolled so that its back leans towards the viewer: the level flukes and the far
  // flipper then show beside the body instead of edge-on behind it.
  const float roll = kRollDegrees * std::numbers::pi_v<float> / 180;
  const float cosine = portable::cos(roll), sine = portable::sin(roll);
  mesh.MovePositions([&](Vec3 p) {
    return Vec3{p.x, p.y * cosine + p.z * sine, p.z * cosine - p.y * sine} * kSize;
  });
  return mesh.Finish();
}
