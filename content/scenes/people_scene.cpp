// "ppl.hrn": a crowd of pale mannequins on a plain at dusk, all watching the sun go down.
// Its first shot (scene time 0 to 11.89) slides through the crowd and circles the one who
// reaches for the sky; the second (from 12.89 to the end), under the words of the text
// overlay, rises over the crowd and then walks slowly behind its last row, the horizon
// calm in the middle of the picture.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "kit/random.h"
#include "scenes/camera_shots.h"
#include "scenes/easing.h"
#include "scenes/heron_scenes.h"
#include "scenes/keyframes.h"
#include "scenes/mannequin.h"
#include "scenes/mesh_lighting.h"
#include "scenes/music_clock.h"
#include "scenes/parametric_surface.h"
#include "scenes/primitives.h"
#include "scenes/screen_shape.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// Shot one plays scene time 0 to 11.891686 over the timeline's 130.33583 .. 142.37498 s;
// shot two from 12.892686 over 178.1797 .. 190.03316 s, one scene second a second.
constexpr double kFirstShotStart = 130.33583;
constexpr float kFirstShotEnd = 11.891686f;
constexpr double kSecondShotStart = 178.1797;
constexpr float kSecondShotScene = 12.892686f;
constexpr float kLength = kSecondShotScene + static_cast<float>(190.03316 - kSecondShotStart);
// Figures are narrowed across, as the picture is shown wider than the view.
constexpr float kSlim = kWideView;
const Vec3 kSun{0, 9, -160};
const Vec3 kReacher{1.5f, 0, -2};

LightRig DuskLight() {
  LightRig rig;
  rig.sky = {0.28f, 0.3f, 0.48f, 1};
  rig.ground = {0.3f, 0.18f, 0.16f, 1};
  rig.directional.push_back({Vec3{0, -0.12f, 1}, {1.1f, 0.62f, 0.35f, 1}});
  return rig;
}

// The low sun: a disc facing the crowd, white-hot in the middle and fading into the glow of
// the horizon at its rim. (It is solid, not additive: the fog would light up an additive
// square's dark corners.)
Mesh SunDisc() {
  Mesh disc = ParametricSurface(24, 6, [](float u, float v) {
    const float angle = 2 * kPi * u, radius = 14 * v;
    return SurfacePoint{
        {radius * kSlim * portable::cos(angle), radius * portable::sin(angle), 0}, {0, 0, 1}, {u, v}};
  });
  for (size_t i = 0; i < disc.positions.size(); ++i) {
    const float rim =
        std::clamp(Length(Scale(disc.positions[i], {1 / kSlim, 1, 1})) / 14, 0.0f, 1.0f);
    const float core = portable::exp(-rim * rim * 14);
    disc.colours[i] = {0.53f + 0.47f * (1 - rim) + 0.2f * core,
                       0.28f + 0.3f * (1 - rim) + 0.4f * core,
                       0.2f + 0.05f * (1 - rim) + 0.4f * core, 1};
  }
  return disc;
}

void AddSkyAndGround(SceneAssembly& scene) {
  Mesh dome = Flipped(Sphere(180, 32, 16));
  for (size_t i = 0; i < dome.positions.size(); ++i) {
    const Vec3 p = dome.positions[i];
    const float up = std::clamp(p.y / 180, -0.1f, 1.0f);
    // Towards the sun the horizon burns orange; elsewhere it is violet under deep blue.
    const float sunward = portable::pow(std::clamp(-p.z / 180, 0.0f, 1.0f), 2.0f);
    const float horizon = portable::exp(-std::max(up, 0.0f) * 6);
    dome.colours[i] = {0.08f + horizon * (0.45f + 0.55f * sunward),
                       0.08f + horizon * (0.2f + 0.35f * sunward),
                       0.22f + horizon * (0.25f - 0.1f * sunward), 1};
  }
  scene.AddMesh("Sky", "matte", dome, {});
  scene.AddMesh("Sun", "matte", SunDisc(), {kSun});

  Mesh ground = Grid(360, 360, 36, 36, 40);
  for (size_t i = 0; i < ground.positions.size(); ++i) {
    const Vec3 p = ground.positions[i];
    const float sunward = std::clamp(-p.z / 180, 0.0f, 1.0f);
    const float near = portable::exp(-Length(p) / 40);
    ground.colours[i] = {0.22f + 0.35f * near + 0.3f * sunward,
                         0.16f + 0.22f * near + 0.1f * sunward,
                         0.2f + 0.14f * near - 0.05f * sunward, 1};
  }
  scene.AddMesh("Ground", "matte", ground, {});
}

struct Figure {
  Vec3 position;
  float turn;  // radians about y from facing the sun
  Pose pose;
};

std::vector<Figure> Crowd() {
  ContentRandom random(0x9E0);
  std::vector<Figure> crowd = {{kReacher, 0.1f, ReachingPose()}};
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 6; ++column) {
      const Vec3 at{-7.5f + 3.0f * static_cast<float>(column) + random.Range(-0.8f, 0.8f), 0,
                    -8.0f + 3.2f * static_cast<float>(row) + random.Range(-0.8f, 0.8f)};
      if (portable::hypot(at.x - kReacher.x, at.z - kReacher.z) < 2.2f || random.Unit() < 0.2f) continue;
      const float choice = random.Unit();
      crowd.push_back(
          {at, random.Range(-0.35f, 0.35f), choice < 0.55f ? StandingPose() : WaitingPose()});
    }
  }
  return crowd;
}

void AddCrowd(SceneAssembly& scene) {
  const std::vector<Figure> crowd = Crowd();
  for (size_t i = 0; i < crowd.size(); ++i) {
    const Figure& figure = crowd[i];
    const std::string number = std::to_string(i);
    const Quat facing = AxisAngle({0, 1, 0}, figure.turn);
    Mesh body = Placed(Mannequin(figure.pose), {{}, {}, {kSlim, 1, kSlim}});
    Paint(body, {0.92f, 0.86f, 0.8f, 1});
    BakeLighting(body, DuskLight(), {figure.position, facing});
    scene.AddMesh("Figure" + number, "matte", body, {figure.position, facing});
    // A long shadow stretching away from the sun.
    Mesh shadow = Placed(Grid(0.8f, 6, 1, 1), {{0, 0.01f, 2.85f}});
    scene.AddMesh("Shadow" + number, "shadow", shadow, {figure.position});
  }
  // Three of them turn slowly round while the camera rises over the crowd.
  for (size_t i = 3; i < crowd.size(); i += 8) {
    scene.Track("Figure" + std::to_string(i)).rotationKeys =
        RotationKeys({{kSecondShotScene, AxisAngle({0, 1, 0}, crowd[i].turn)},
                      {kSecondShotScene + 6, AxisAngle({0, 1, 0}, crowd[i].turn + 2.6f)}},
                     KeyMotion::kStopAtKeys);
  }
}

std::vector<CameraShot> Shots() {
  const MusicClock first(kFirstShotStart, 0, kFirstShotEnd / (142.37498 - kFirstShotStart));
  const MusicClock second(kSecondShotStart, kSecondShotScene);
  const Vec3 reacherChest = kReacher + Vec3{0.15f, 1.35f, 0};
  std::vector<CameraShot> shots(4);
  // Sideways through the crowd at eye level.
  shots[0] = {0, first.Bar(4), Line({-6, 1.6f, 6}, {1, 1.5f, 4.5f}, Linear),
              Line({-4, 1.4f, -4}, {3, 1.4f, -6}, Linear)};
  // Round the figure reaching for the sky, the sun behind it: at chest height, with a lens
  // wide enough that the figure stands whole in the picture, hand and feet, and the horizon
  // and the sun lie just under the middle. The circle stays inside the ring of neighbours
  // (the nearest on its way stands 3.7 m off). This camera also covers the gap between the
  // two shots, which the timeline never shows.
  shots[1] = {first.Bar(4), 12.4f, Orbit(kReacher, 3.1f, 2.8f, 0.95f, 0.85f, 1.05f, 2.05f, EaseInOut),
              Still(reacherChest)};
  // Rising over the crowd, looking at the sunset.
  shots[2] = {12.4f, second.Bar(4), Line({0, 2.5f, 14}, {0, 9, 16}, EaseInOut),
              Line({0, 1.2f, -6}, {0, 0.5f, -12}, EaseInOut)};
  // Slowly along behind the last row, the horizon level across the middle.
  shots[3] = {second.Bar(4), kLength, Line({-5, 1.7f, 9}, {3, 1.7f, 9}, Linear),
              Line({-4, 2.2f, -20}, {2, 2.2f, -20}, Linear)};
  for (CameraShot& shot : shots) {
    shot.fov = 0.85f;
    shot.nearPlane = 0.2f;
    shot.farPlane = 260;
  }
  shots[1].fov = 1.0f;
  return shots;
}

}  // namespace

SceneAssembly PeopleScene() {
  SceneAssembly scene(kLength);
  scene.SetFog(0.15f, 1.4f, {0.42f, 0.26f, 0.3f, 1});
  scene.SetAmbient({0.28f, 0.3f, 0.48f, 1});
  scene.AddMaterial("matte", "hrn_grain.png", 0);
  scene.AddMaterial("shadow", "hrn_shadow.png", kMaterialAlphaBlended);
  AddSkyAndGround(scene);
  AddCrowd(scene);
  scene.AddLight("Sunlight", kSun, {1, 0.62f, 0.35f, 1}, 1000);
  AddCameraShots(scene, "Cam", Shots());
  return scene;
}

}  // namespace scenes
