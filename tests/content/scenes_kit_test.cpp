// The scene modelling kit: solids that face outward, outlines that fill what they enclose,
// cameras that look where they are told once the renderer's own turn is applied, and key
// lists that move the way they promise when the animator plays them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "render/d3dx/d3dx_maths.h"
#include "scene/animator.h"
#include "scene/camera_view.h"
#include "scenes/camera_shots.h"
#include "scenes/easing.h"
#include "scenes/keyframes.h"
#include "scenes/mesh_lighting.h"
#include "scenes/music_clock.h"
#include "scenes/polygon_tessellation.h"
#include "scenes/primitives.h"
#include "scenes/scene_assembly.h"
#include "scenes/spin.h"
#include "scenes/sweeps.h"
#include "scenes/text_mesh.h"

namespace scenes {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Every triangle's front, (b - a) x (c - a), points away from the solid's middle.
void ExpectFacesOutward(const Mesh& mesh, Vec3 middle, const char* what) {
  ASSERT_FALSE(mesh.faces.empty()) << what;
  for (const MeshFace& face : mesh.faces) {
    const Vec3 a = mesh.positions[face.a], b = mesh.positions[face.b], c = mesh.positions[face.c];
    const Vec3 centre = (a + b + c) * (1.0f / 3);
    EXPECT_GT(Dot(Cross(b - a, c - a), centre - middle), 0) << what;
  }
}

float TriangulatedArea(const Triangulation& triangulation) {
  float area = 0;
  for (const auto& triangle : triangulation.triangles) {
    const Vec2 a = triangulation.points[triangle[0]], b = triangulation.points[triangle[1]],
               c = triangulation.points[triangle[2]];
    area += std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
  }
  return area;
}

Contour Square(float half, bool clockwise) {
  Contour square = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
  if (clockwise) std::reverse(square.begin(), square.end());
  return square;
}

// A node driven by `track` to `time`, through the animator the demo plays scenes with.
CCamera Evaluated(const NodeTrack& track, float time) {
  CAnimator animator;
  animator.tracks["node"] = track;
  CCamera node;
  node.name = "node";
  animator.EvaluateNode(node, time);
  return node;
}

Vec3 PositionAt(const std::vector<VectorKey>& keys, float time) {
  NodeTrack track;
  track.positionKeys = keys;
  const D3DXVECTOR3 p = Evaluated(track, time).position;
  return {p.x, p.y, p.z};
}

Quat RotationAt(const std::vector<RotationKey>& keys, float time) {
  NodeTrack track;
  track.rotationKeys = keys;
  const D3DXQUATERNION q = Evaluated(track, time).rotation;
  return {q.x, q.y, q.z, q.w};
}

float AngleBetween(Quat a, Quat b) { return 2 * std::acos(std::min(1.0f, std::fabs(Dot(a, b)))); }

// Where a point lands in the view of a camera at `eye` turned by `rotation`, as the renderer
// builds its view (x right, y up, z ahead, divided by depth).
Vec3 InView(Vec3 eye, Quat rotation, Vec3 point) {
  CCamera camera;
  camera.position = ToD3D(eye);
  camera.rotation = ToD3D(rotation);
  camera.fov = kPi / 2;
  camera.nearPlane = 0.01f;
  camera.farPlane = 100;
  const D3DXMATRIX view = CameraViewProjection(camera, 1);
  D3DXVECTOR4 clip;
  const D3DXVECTOR3 p = ToD3D(point);
  D3DXVec3Transform(&clip, &p, &view);
  return {clip.x / clip.w, clip.y / clip.w, clip.w};
}

TEST(SceneKitSolids, FaceOutward) {
  ExpectFacesOutward(Box({2, 3, 4}, 3), {}, "box");
  ExpectFacesOutward(Sphere(2, 12, 8), {}, "sphere");
  ExpectFacesOutward(Cylinder(1, 0.5f, 2, 10, true), {0, 1, 0}, "cylinder");
  ExpectFacesOutward(Lathe({{0.5f, 0}, {1, 0.5f}, {1, 1.5f}, {0.5f, 2}}, 12), {0, 1, 0}, "lathe");
  const Mesh inside = Flipped(Sphere(2, 12, 8));
  for (const MeshFace& face : inside.faces) {
    const Vec3 a = inside.positions[face.a], b = inside.positions[face.b],
               c = inside.positions[face.c];
    EXPECT_LT(Dot(Cross(b - a, c - a), a + b + c), 0) << "an inside-out sphere faces its middle";
  }
}

TEST(SceneKitSolids, TorusTubeFacesAwayFromItsCentreLine) {
  const Mesh torus = Torus(3, 1, 16, 8);
  for (const MeshFace& face : torus.faces) {
    const Vec3 a = torus.positions[face.a], b = torus.positions[face.b],
               c = torus.positions[face.c];
    const Vec3 centre = (a + b + c) * (1.0f / 3);
    const Vec3 onCentreLine = Normalised({centre.x, 0, centre.z}) * 3;
    EXPECT_GT(Dot(Cross(b - a, c - a), centre - onCentreLine), 0);
  }
}

TEST(SceneKitSolids, GridAndQuadFaceTheirStatedSides) {
  const Mesh grid = Grid(4, 4, 2, 2);
  for (const MeshFace& face : grid.faces) {
    EXPECT_GT(Cross(grid.positions[face.b] - grid.positions[face.a],
                    grid.positions[face.c] - grid.positions[face.a])
                  .y,
              0);
  }
  const Mesh quad = Quad(2, 1);
  for (const MeshFace& face : quad.faces) {
    EXPECT_LT(Cross(quad.positions[face.b] - quad.positions[face.a],
                    quad.positions[face.c] - quad.positions[face.a])
                  .z,
              0);
  }
}

TEST(SceneKitSolids, BoxTexturesByLengthWhenAsked) {
  const Mesh box = Box({4, 2, 2}, 1, 0.5f);
  float widest = 0;
  for (const MeshUv& uv : box.uvs) widest = std::max(widest, std::fabs(uv.u));
  EXPECT_FLOAT_EQ(widest, 1.0f);  // half the 4-unit side at half a repeat per unit
}

TEST(SceneKitSolids, PlacementMovesTurnsAndKeepsMirroredMeshesOutward) {
  const Mesh moved = Placed(Box({1, 1, 1}), {{5, 0, 0}, AxisAngle({0, 1, 0}, kPi / 2), {1, 1, 1}});
  ExpectFacesOutward(moved, {5, 0, 0}, "moved box");
  ExpectFacesOutward(Placed(Sphere(1, 8, 6), {{}, {}, {-1, 1, 1}}), {}, "mirrored sphere");
  // About y, z turns towards x.
  const Vec3 turned = Rotate(AxisAngle({0, 1, 0}, kPi / 2), {0, 0, 1});
  EXPECT_NEAR(turned.x, 1, 1e-6f);
  EXPECT_NEAR(turned.z, 0, 1e-6f);
}

TEST(SceneKitSolids, SmoothedNormalsOfASphereRunOutward) {
  Mesh sphere = Sphere(2, 16, 10);
  for (Vec3& normal : sphere.normals) normal = {0, 1, 0};
  SmoothNormals(sphere);
  for (size_t i = 0; i < sphere.positions.size(); ++i) {
    EXPECT_GT(Dot(sphere.normals[i], Normalised(sphere.positions[i])), 0.97f) << i;
  }
}

TEST(SceneKitLight, LightsWhatFacesItAndFallsOffWithDistance) {
  Mesh floor = Grid(20, 20, 20, 20);
  LightRig rig;
  rig.sky = {0.1f, 0.1f, 0.1f, 1};
  rig.ground = {0, 0, 0, 1};
  rig.points.push_back({{0, 1, 0}, {1, 0.5f, 0.25f, 1}, 6});
  BakeLighting(floor, rig);
  float underLamp = 0, farAway = 1;
  for (size_t i = 0; i < floor.positions.size(); ++i) {
    const float distance = Length(floor.positions[i]);
    if (distance < 0.01f) underLamp = floor.colours[i].r;
    if (distance > 8) farAway = std::min(farAway, floor.colours[i].r);
    EXPECT_GE(floor.colours[i].r, floor.colours[i].g);  // the lamp's colour
  }
  EXPECT_NEAR(underLamp, 0.1f + std::pow(1 - 1.0f / 6, 2.0f), 1e-3f);
  EXPECT_NEAR(farAway, 0.1f, 1e-4f);  // beyond its range only the sky's light
  // A directional light reaches faces turned to it, not those turned away.
  Mesh box = Box({1, 1, 1});
  LightRig sun;
  sun.sky = sun.ground = {0, 0, 0, 1};
  sun.directional.push_back({{0, -1, 0}, {1, 1, 1, 1}});
  BakeLighting(box, sun);
  for (size_t i = 0; i < box.positions.size(); ++i) {
    EXPECT_FLOAT_EQ(box.colours[i].r, box.normals[i].y > 0.5f ? 1.0f : 0.0f);
  }
}

TEST(SceneKitOutlines, FillWhatTheyEncloseAndLeaveHolesOpen) {
  const Triangulation square = Tessellate({Square(1, false)});
  EXPECT_NEAR(TriangulatedArea(square), 4, 1e-4f);
  // A square with a square hole running the other way round: only the frame is filled.
  const std::vector<Contour> frame = {Square(2, false), Square(1, true)};
  EXPECT_NEAR(TriangulatedArea(Tessellate(frame)), 16 - 4, 1e-4f);
  EXPECT_NE(WindingNumber(frame, {1.5f, 0}), 0);
  EXPECT_EQ(WindingNumber(frame, {0, 0}), 0);
  EXPECT_EQ(WindingNumber(frame, {3, 0}), 0);
}

TEST(SceneKitOutlines, ExtrusionsFaceOutOfTheSolid) {
  const std::vector<Contour> frame = {Square(2, false), Square(1, true)};
  const Mesh solid = ExtrudeOutline(frame, 1, true);
  for (const MeshFace& face : solid.faces) {
    const Vec3 a = solid.positions[face.a], b = solid.positions[face.b],
               c = solid.positions[face.c];
    const Vec3 front = Cross(b - a, c - a);
    const Vec3 centre = (a + b + c) * (1.0f / 3);
    // Just outside the face, in front of it, lies no solid: outside the frame or past a cap.
    const Vec3 probe = centre + Normalised(front) * 0.01f;
    const bool inside = probe.z > 0 && probe.z < 1 && WindingNumber(frame, {probe.x, probe.y}) != 0;
    EXPECT_FALSE(inside) << "face at " << centre.x << ", " << centre.y << ", " << centre.z;
  }
}

TEST(SceneKitOutlines, LettersStandInReadingOrderAroundTheMiddle) {
  Lettering lettering;
  lettering.flat = true;
  const std::vector<Letter> letters = Letters("lantern", lettering);
  ASSERT_EQ(letters.size(), 7u);
  EXPECT_EQ(letters[0].character, 'l');
  EXPECT_EQ(letters[6].character, 'n');
  for (size_t i = 1; i < letters.size(); ++i)
    EXPECT_GT(letters[i].centre.x, letters[i - 1].centre.x);
  // The line is centred on its advance, so a narrow first letter and a wide last one
  // balance only roughly.
  EXPECT_NEAR(letters[0].centre.x + letters[6].centre.x, 0, 0.25f);
  for (const Letter& letter : letters) {
    EXPECT_FALSE(letter.mesh.faces.empty());
    EXPECT_LT(BoundingRadius(letter.mesh), 0.6f);  // each mesh is around its own letter
  }
  EXPECT_TRUE(Letters(" ", lettering).empty());
}

TEST(SceneKitCameras, LookAtTheirTargetThroughTheRenderersView) {
  const Vec3 eyes[] = {{0, 0, 0}, {3, 2, -5}, {-4, 10, 1}, {0, 5, 0}};
  const Vec3 targets[] = {{0, 0, 10}, {-2, 0, 4}, {3, -1, -7}, {0, -5, 0.01f}};
  for (int i = 0; i < 4; ++i) {
    const Quat rotation = CameraRotation(eyes[i], targets[i]);
    const Vec3 target = InView(eyes[i], rotation, targets[i]);
    EXPECT_NEAR(target.x, 0, 1e-4f) << i;
    EXPECT_NEAR(target.y, 0, 1e-4f) << i;
    EXPECT_GT(target.z, 0) << i;
    if (i == 3) continue;  // looking straight down, "up" is not the sky
    const Vec3 above = InView(eyes[i], rotation, targets[i] + Vec3{0, 1, 0});
    EXPECT_GT(above.y, 0) << i;
    EXPECT_NEAR(above.x, 0, 1e-4f) << i;  // level: no roll
  }
}

TEST(SceneKitCameras, RollTurnsThePictureAboutTheLineOfSight) {
  const Vec3 eye{0, 0, 0}, target{0, 0, 10};
  const Vec3 above = InView(eye, CameraRotation(eye, target, kPi / 2), {0, 1, 10});
  EXPECT_NEAR(above.y, 0, 1e-4f);
  EXPECT_GT(std::fabs(above.x), 0.05f);
}

TEST(SceneKitCameras, EachShotsCameraIsTheMovingOneDuringItsShot) {
  SceneAssembly scene(6);
  std::vector<CameraShot> shots(3);
  shots[0] = {0, 2, Line({0, 0, -5}, {1, 0, -5}, EaseInOut), Still({})};
  shots[1] = {2, 4, Still({0, 5, -5}), Still({})};
  shots[2] = {4, 6, Orbit({}, 5, 6, 1, 2, 0, 1, Linear), Still({})};
  AddCameraShots(scene, "Cam", shots);
  ASSERT_EQ(scene.scene().nodes.size(), 3u);
  for (float time = -0.5f; time <= 6.5f; time += 0.05f) {
    std::string current;
    for (const auto& node : scene.scene().nodes) {
      CCamera camera = static_cast<const CCamera&>(*node);
      scene.scene().animator.EvaluateNode(camera, time);
      if (camera.moving && current.empty()) current = camera.name;
    }
    const std::string expected = time <= 2 ? "Cam0" : time <= 4 ? "Cam1" : "Cam2";
    EXPECT_EQ(current, expected) << time;
  }
}

TEST(SceneKitKeys, SmoothPositionsPassTheirKeysAndStopAtTheEnds) {
  const std::vector<TimedValue> points = {{0, {0, 0, 0}}, {1, {4, 2, 0}}, {3, {4, 6, -2}}};
  const std::vector<VectorKey> keys = VectorKeys(points, KeyMotion::kSmooth);
  for (const TimedValue& point : points) {
    const Vec3 at = PositionAt(keys, point.time);
    EXPECT_NEAR(Length(at - point.value), 0, 1e-4f) << point.time;
  }
  // Still at both ends, moving through the middle key.
  EXPECT_LT(Length(PositionAt(keys, 0.01f) - points[0].value), 0.01f);
  EXPECT_LT(Length(PositionAt(keys, 2.99f) - points[2].value), 0.01f);
  const Vec3 speedAtMiddle = (PositionAt(keys, 1.01f) - PositionAt(keys, 0.99f)) * 50;
  EXPECT_GT(Length(speedAtMiddle), 1);
  // Continuous speed through the middle key.
  const Vec3 before = (PositionAt(keys, 0.999f) - PositionAt(keys, 0.989f)) * 100;
  const Vec3 after = (PositionAt(keys, 1.011f) - PositionAt(keys, 1.001f)) * 100;
  EXPECT_LT(Length(before - after), 0.1f * Length(before));
}

TEST(SceneKitKeys, StoppingPositionsRestAtEveryKey) {
  const std::vector<VectorKey> keys =
      VectorKeys({{0, {0, 0, 0}}, {1, {2, 0, 0}}, {2, {2, 2, 0}}}, KeyMotion::kStopAtKeys);
  EXPECT_LT(Length(PositionAt(keys, 1.01f) - PositionAt(keys, 0.99f)), 0.001f);
  EXPECT_NEAR(PositionAt(keys, 0.5f).x, 1, 1e-4f);  // eased evenly: half way at half time
}

TEST(SceneKitKeys, SampledKeysFollowTheirCurve) {
  const auto curve = [](float t) { return Vec3{std::cos(t), std::sin(2 * t), t * t}; };
  const std::vector<VectorKey> keys = SampledVectorKeys(0, 3, 12, curve);
  ASSERT_EQ(keys.size(), 13u);
  for (float t = 0; t <= 3; t += 0.07f)
    EXPECT_LT(Length(PositionAt(keys, t) - curve(t)), 0.005f) << t;
}

TEST(SceneKitKeys, StoppingTurnsEaseInAndOutOfEveryKey) {
  const Quat a{}, b = AxisAngle({0, 1, 0}, 1.2f), c = AxisAngle({1, 0, 0}, 0.8f);
  const std::vector<RotationKey> keys =
      RotationKeys({{0, a}, {1, b}, {2, c}}, KeyMotion::kStopAtKeys);
  EXPECT_LT(AngleBetween(RotationAt(keys, 0), a), 1e-3f);
  EXPECT_LT(AngleBetween(RotationAt(keys, 1), b), 1e-3f);
  EXPECT_LT(AngleBetween(RotationAt(keys, 2), c), 1e-3f);
  // Half way round at half time, and nearly still close to each key.
  EXPECT_NEAR(AngleBetween(RotationAt(keys, 0.5f), a), 0.6f, 0.01f);
  EXPECT_LT(AngleBetween(RotationAt(keys, 0.98f), RotationAt(keys, 1.02f)), 0.005f);
  EXPECT_LT(AngleBetween(RotationAt(keys, 0.02f), a), 0.005f);
}

TEST(SceneKitKeys, SmoothTurnsPassTheirKeys) {
  std::vector<TimedRotation> rotations;
  for (int i = 0; i < 5; ++i) {
    rotations.push_back({static_cast<float>(i),
                         Then(AxisAngle({0, 1, 0}, 0.7f * i), AxisAngle({1, 0, 0}, 0.3f * i))});
  }
  const std::vector<RotationKey> keys = RotationKeys(rotations, KeyMotion::kSmooth);
  for (const TimedRotation& rotation : rotations) {
    EXPECT_LT(AngleBetween(RotationAt(keys, rotation.time), rotation.value), 1e-3f)
        << rotation.time;
  }
}

TEST(SceneKitKeys, SpinsTurnSteadily) {
  const std::vector<RotationKey> keys = SpinKeys({}, {0, 0, 1}, 2.5f, 0, 10);
  for (float t = 0.1f; t < 10; t += 0.37f) {
    EXPECT_LT(AngleBetween(RotationAt(keys, t), AxisAngle({0, 0, 1}, 2.5f * t)), 2e-3f) << t;
  }
}

TEST(SceneKitMusic, CountsBarsAcrossTheSoundtracksSections) {
  // "binary" holds 11 bars up to the title's cut at 44.908302; the title 9 more to 57.99461.
  const MusicClock binary(27.892973, 0);
  EXPECT_FLOAT_EQ(binary.Bar(0), 0);
  EXPECT_NEAR(binary.Bar(11), 44.908302 - 27.892973, 1e-4);
  EXPECT_NEAR(binary.Bar(20), 57.99461 - 27.892973, 1e-4);
  EXPECT_NEAR(binary.Bar(1), (44.908302 - 27.892973) / 11, 1e-4);
  EXPECT_NEAR(binary.Bar(12) - binary.Bar(11), (57.99461 - 44.908302) / 9, 1e-4);
  // A scene whose time starts later and runs at another rate.
  const MusicClock late(178.1797, 12.892686, 2);
  EXPECT_FLOAT_EQ(late.Bar(0), 12.892686f);
  EXPECT_NEAR(late.Bar(8), 12.892686 + 2 * (190.03316 - 178.1797), 1e-3);
}

TEST(SceneKitAssembly, NodeSpheresHoldWhatTheNodesDraw) {
  SceneAssembly scene(1);
  scene.AddMaterial("m", "hrn_grain.png", 0);
  const Mesh small = Sphere(1, 8, 6), large = Sphere(3, 8, 6);
  EXPECT_FLOAT_EQ(scene.AddMorphingMesh("blob", "m", {small, large, small}, {0, 1, 2}).radius, 3);
  const CParticleSystem& particles = scene.AddParticles("spray", "m", {4, 10, 6, 1, 100, 0.5f}, {});
  // The box reaches from the node's origin up to its height and out to its half sides.
  EXPECT_GE(particles.radius, Length({2, 10, 3}) - 1e-4f);
  EXPECT_EQ(particles.IntegerParameter(4), 100u);
  EXPECT_FLOAT_EQ(particles.FloatParameter(1), 10);
  const CNURBWave& wave = scene.AddWave("pool", "m", 20, 1.5f, {});
  EXPECT_GE(wave.radius, 20 * 0.982f / 2 + 1.5f);
}

TEST(SceneKitAssembly, RefusesNamesTheStorageCannotHold) {
  SceneAssembly scene(1);
  scene.AddMaterial("stone", "hrn_stone.png", 0);
  EXPECT_THROW(scene.AddMesh("stone", "stone", Box({1, 1, 1})), std::invalid_argument);
  EXPECT_THROW(scene.AddCamera("a_name_far_too_long_for_a_compound_file", 1, 1, 2),
               std::invalid_argument);
  EXPECT_THROW(scene.AddHelperEntry(kCameraNode, "helper"), std::invalid_argument);
  scene.AddHelperEntry(2, "helper");
  scene.AddMesh("rock", "stone", Box({1, 1, 1}));
  ASSERT_EQ(scene.scene().skippedEntries.size(), 1u);
  EXPECT_EQ(scene.scene().skippedEntries[0].listIndex, 0u);
  EXPECT_NEAR(scene.scene().nodes[0]->radius, std::sqrt(0.75f), 1e-5f);
}

}  // namespace
}  // namespace scenes
