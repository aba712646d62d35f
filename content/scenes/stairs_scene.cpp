// "stairs.hrn": down a spiral stair round an open well of stone, lit by lanterns hung
// under the inner edge of the steps, into the dark. The camera looks straight down the well, then
// follows the steps down, looks back up at the lanterns turning overhead and finally drops down the
// open middle into the blackness.
#include <cmath>
#include <numbers>
#include <string>

#include "scenes/camera_shots.h"
#include "scenes/easing.h"
#include "scenes/heron_scenes.h"
#include "scenes/mesh_lighting.h"
#include "scenes/music_clock.h"
#include "scenes/primitives.h"
#include "scenes/screen_shape.h"
#include "scenes/sweeps.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr double kScriptedStart = 69.99704;
constexpr float kLength = 11.6426f;

constexpr float kWellRadius = 6;
constexpr float kInnerRadius = 2.2f;  // the steps leave the middle of the well open
constexpr float kTop = 8;
constexpr float kStepTurn = 20 * kPi / 180;  // each step turns this far round the column
constexpr float kStepRise = 0.32f;
constexpr int kSteps = 174;

float StepAngle(float step) { return step * kStepTurn; }
float StepHeight(float step) { return kTop - step * kStepRise; }
Vec3 Around(float angle, float radius, float height) {
  return {radius * portable::cos(angle), height, radius * portable::sin(angle)};
}

struct Lantern {
  Vec3 position;
  float angle;
};

std::vector<Lantern> Lanterns() {
  std::vector<Lantern> lanterns;
  for (int step = 4; step < kSteps; step += 11) {
    const float angle = StepAngle(static_cast<float>(step) + 0.5f);
    lanterns.push_back(
        {Around(angle, kInnerRadius - 0.3f, StepHeight(static_cast<float>(step)) - 0.55f), angle});
  }
  return lanterns;
}

LightRig WellLight() {
  LightRig rig;
  rig.sky = {0.2f, 0.2f, 0.3f, 1};
  rig.ground = {0.07f, 0.06f, 0.08f, 1};
  for (const Lantern& lantern : Lanterns())
    rig.points.push_back({lantern.position, {2.8f, 1.55f, 0.7f, 1}, 10.5f});
  return rig;
}

// A wedge of stone: a box bent round the column between two angles.
Mesh Step(float angle, float height) {
  Mesh block = Box({1, 1, 1}, 1);
  for (size_t i = 0; i < block.positions.size(); ++i) {
    const Vec3 p = block.positions[i];
    const float radius = kInnerRadius + (p.x + 0.5f) * (kWellRadius - kInnerRadius);
    const float a = angle + (p.z + 0.5f) * kStepTurn * 1.15f;
    block.positions[i] = Around(a, radius, height + (p.y - 0.5f) * 0.28f);
    const Vec3 n = block.normals[i];
    // The box's x runs outward and its z round the column: turn its normals the same way.
    block.normals[i] = Normalised(Vec3{portable::cos(a), 0, portable::sin(a)} * n.x +
                                  Vec3{-portable::sin(a), 0, portable::cos(a)} * n.z + Vec3{0, n.y, 0});
    block.uvs[i] = {radius * 0.12f, (a - angle) * 0.5f};
  }
  return block;
}

void AddStairs(SceneAssembly& scene, const LightRig& light) {
  // The stair in runs of a third of a turn each, so the runs out of view are culled.
  constexpr int kRun = 6;
  for (int first = 0; first < kSteps; first += kRun) {
    Mesh run;
    for (int step = first; step < first + kRun; ++step) {
      Append(run, Step(StepAngle(static_cast<float>(step)), StepHeight(static_cast<float>(step))));
    }
    const float middle = static_cast<float>(first) + kRun / 2.0f;
    const Vec3 centre = Around(StepAngle(middle), 4.1f, StepHeight(middle));
    BakeLighting(run, light);
    scene.AddMesh("Steps" + std::to_string(first / kRun), "stone", Placed(run, {-centre}),
                  {centre});
  }
}

void AddWell(SceneAssembly& scene, const LightRig& light) {
  const float bottom = StepHeight(kSteps) - 4;
  // The wall in storeys, each lit by the lanterns near it.
  constexpr float kStorey = 8;
  for (int storey = 0; kTop + 4 - kStorey * static_cast<float>(storey) > bottom; ++storey) {
    const float top = kTop + 4 - kStorey * static_cast<float>(storey);
    std::vector<Vec2> wallProfile;
    for (int i = 0; i <= 8; ++i)
      wallProfile.push_back({kWellRadius, kStorey * (static_cast<float>(i) / 8 - 1)});
    const Vec3 at{0, top, 0};
    Mesh wall = Flipped(Lathe(wallProfile, 40, 10, kStorey / 2.5f));
    BakeLighting(wall, light, {at});
    scene.AddMesh("Wall" + std::to_string(storey), "stone", wall, {at});
  }
}

void AddLanterns(SceneAssembly& scene) {
  int index = 0;
  for (const Lantern& lantern : Lanterns()) {
    const std::string number = std::to_string(index++);
    // An iron cage on a bracket reaching back under the step, and its glow: three upright crossed
    // squares, narrowed across, and a level one for the views from above and below.
    Mesh cage = Placed(Cylinder(0.16f, 0.16f, 0.42f, 6, true), {{0, -0.21f, 0}});
    Append(cage, Placed(Cylinder(0.2f, 0.02f, 0.2f, 6, true), {{0, 0.21f, 0}}));
    Append(cage, Placed(Box({0.5f, 0.05f, 0.05f}), {{0.3f, 0.28f, 0}}));
    Paint(cage, {0.3f, 0.24f, 0.2f, 1});
    scene.AddMesh("Lantern" + number, "iron", cage,
                  {lantern.position, AxisAngle({0, 1, 0}, -lantern.angle)});
    Mesh glow = Placed(Quad(3.2f * kWideView, 3.2f), {{}, AxisAngle({1, 0, 0}, kPi / 2)});
    for (int i = 0; i < 3; ++i) {
      Append(glow, Placed(Quad(3.2f * kWideView, 3.2f),
                          {{}, AxisAngle({0, 1, 0}, kPi * static_cast<float>(i) / 3)}));
    }
    Paint(glow, {1.0f, 0.62f, 0.3f, 1});
    scene.AddMesh("Glow" + number, "glow", glow, {lantern.position});
  }
  scene.AddLight("LanternLight", Lanterns()[0].position, {1.0f, 0.6f, 0.3f, 1}, 8);
}

// On the stair's walking line, `lift` above the step at `step`.
Vec3 OnStair(float step, float radius, float lift) {
  return Around(StepAngle(step), radius, StepHeight(step) + lift);
}

std::vector<CameraShot> Shots() {
  const MusicClock clock(kScriptedStart, 0);
  std::vector<CameraShot> shots(4);
  // Straight down the well, turning.
  shots[0] = {0, clock.Bar(2), Line({0.4f, kTop + 3, 0}, {0.4f, kTop + 1, 0}, EaseOut),
              Still({0, -60, 0.05f})};
  shots[0].roll = [](float p) { return 0.8f * p; };
  // Down the steps by the wall, looking ahead and down across the turn at the treads
  // falling away and the lanterns under their inner edge.
  shots[1] = {clock.Bar(2), clock.Bar(4), [](float p) { return OnStair(10 + 16 * p, 3.4f, 2.2f); },
              [](float p) { return OnStair(16 + 16 * p, 3.6f, -0.3f); }};
  // From the edge of a step, looking up the open well at the lanterns wheeling overhead.
  shots[2] = {
      clock.Bar(4), clock.Bar(6), [](float p) { return OnStair(60 + 4 * p, 2.6f, 1.2f); },
      [](float p) { return Around(StepAngle(64 + 30 * EaseInOut(p)), 1.5f, StepHeight(40)); }};
  // Dropping down the open middle, turning, into the dark.
  shots[3] = {
      clock.Bar(6), kLength,
      [](float p) {
        return Vec3{0.3f, StepHeight(90 + 60 * EaseIn(p)), 0};
      },
      [](float p) { return Around(3 * EaseIn(p), 2.0f, StepHeight(120 + 60 * EaseIn(p))); }};
  for (CameraShot& shot : shots) {
    shot.fov = 1.1f;
    shot.nearPlane = 0.15f;
    shot.farPlane = 60;
  }
  return shots;
}

}  // namespace

SceneAssembly StairsScene() {
  SceneAssembly scene(kLength);
  scene.SetFog(0.0f, 0.6f, {0, 0, 0, 1});
  scene.SetAmbient({0.2f, 0.2f, 0.3f, 1});
  scene.AddMaterial("stone", "hrn_stone.png", 0);
  scene.AddMaterial("iron", "hrn_steel.png", 0);
  scene.AddMaterial("glow", "hrn_glow.png", kMaterialAdditive | kMaterialTwoSided);
  const LightRig light = WellLight();
  AddWell(scene, light);
  AddStairs(scene, light);
  AddLanterns(scene);
  AddCameraShots(scene, "Cam", Shots());
  return scene;
}

}  // namespace scenes
