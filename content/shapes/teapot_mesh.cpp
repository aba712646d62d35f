// A teapot: a turned body with a lipped rim, a domed lid with a round knob, a spout that
// sweeps up and out to +x and a looped handle at -x. The design is drawn in "pot units"
// (the knob's top at 3.15) and scaled to 34 high; across, it is scaled a little less,
// because the morph's view widens everything and a squat pot would lose its shape.
#include <vector>

#include "shapes/loft.h"
#include "shapes/ring_paths.h"
#include "shapes/shape_meshes.h"

namespace {

constexpr float kUnit = 34.0f / 3.15f;
constexpr float kAcrossUnit = 0.88f * kUnit;
// Spout and handle are thin, so they get smaller triangles (thus more particles) than
// their area alone would give them; otherwise they would all but vanish from the cloud.
constexpr float kBodySpacing = 2.2f;
constexpr float kFittingSpacing = 1.5f;

std::vector<ProfilePoint> BodyAndLidProfile() {
  std::vector<ProfilePoint> profile = {
      {0, 0, true},         {1.3f, 0, true},  {1.45f, 0.03f}, {1.62f, 0.16f},
      {1.82f, 0.45f},       {1.96f, 0.85f},   {2.0f, 1.25f},  {1.93f, 1.65f},
      {1.76f, 2.0f},        {1.56f, 2.25f},   {1.46f, 2.37f}, {1.5f, 2.43f},
      {1.53f, 2.48f, true},  // the rim's lip
      {1.36f, 2.48f, true},  // the lid sits inside it
      {1.22f, 2.55f},       {0.92f, 2.65f},   {0.56f, 2.73f}, {0.26f, 2.78f, true},  // lid dome
      {0.17f, 2.83f},       {0.22f, 2.9f},    {0.4f, 2.98f},  {0.42f, 3.05f},
      {0.28f, 3.12f},       {0, 3.15f, true},  // knob
  };
  for (ProfilePoint& point : profile) {
    point.radius *= kAcrossUnit;
    point.height *= kUnit;
  }
  return SmoothProfile(profile, 8);
}

// Rings of a tube along a smooth path through `points` (pot units, in the x-y plane) with
// the half-widths `radii` (x: across the plane, y: within it), open at both ends.
std::vector<Ring> FittingRings(const std::vector<Vec3>& points, const std::vector<Vec3>& radii) {
  std::vector<Vec3> path = SmoothCurve(points, 8);
  std::vector<Vec3> widths = SmoothCurve(radii, 8);
  for (Vec3& point : path) point = {point.x * kAcrossUnit, point.y * kUnit, 0};
  for (Vec3& width : widths) width = width * kUnit;
  std::vector<Ring> rings = TubeRings(path, widths, {0, 0, 1});
  rings.front().sharp = true;
  rings.back().sharp = true;
  return rings;
}

void AddFitting(MeshBuilder& mesh, const std::vector<Ring>& rings) {
  AddLoft(mesh, SpaceRings(rings, kFittingSpacing), LoopShape::kEllipse, kFittingSpacing);
}

}  // namespace

MeshFrame TeapotMesh() {
  MeshBuilder mesh;
  AddLoft(mesh, SpaceRings(LatheRings(BodyAndLidProfile()), kBodySpacing), LoopShape::kEllipse,
          kBodySpacing);
  // Spout and handle start inside the body and are left open there: a hidden cap would
  // show through the cloud. The spout starts wide and upright, narrows as it rises and is
  // closed at its tip.
  AddFitting(mesh, CapEnd(FittingRings({{1.55f, 0.75f, 0},
                                        {2.2f, 0.95f, 0},
                                        {2.65f, 1.35f, 0},
                                        {2.85f, 1.9f, 0},
                                        {3.05f, 2.3f, 0},
                                        {3.35f, 2.45f, 0}},
                                       {{0.42f, 0.55f, 0},
                                        {0.36f, 0.42f, 0},
                                        {0.27f, 0.3f, 0},
                                        {0.22f, 0.22f, 0},
                                        {0.2f, 0.2f, 0},
                                        {0.25f, 0.22f, 0}})));
  // The handle loops out from the upper back of the body and returns lower down.
  AddFitting(mesh, FittingRings({{-1.6f, 2.05f, 0},
                                 {-2.2f, 2.12f, 0},
                                 {-2.7f, 2.0f, 0},
                                 {-2.98f, 1.65f, 0},
                                 {-2.9f, 1.2f, 0},
                                 {-2.6f, 0.85f, 0},
                                 {-2.1f, 0.62f, 0},
                                 {-1.65f, 0.5f, 0}},
                                std::vector<Vec3>(8, {0.2f, 0.12f, 0})));
  return mesh.Finish();
}
