// "end.hrn": the closing night. Paper lanterns rise slowly from a dark lake into the stars
// under a low moon. The scene is drawn without depth behind the closing effects (the helix
// panel on the right, the particle shapes in the middle), so it is built to be painted in
// order: the sky, then the water, then everything that glows, added on top. The camera
// drifts: up from the water, across the lanterns, low towards the moon, and up with them.
#include <cmath>
#include <numbers>
#include <string>

#include "kit/random.h"
#include "scenes/camera_shots.h"
#include "scenes/easing.h"
#include "scenes/heron_scenes.h"
#include "scenes/keyframes.h"
#include "scenes/music_clock.h"
#include "scenes/parametric_surface.h"
#include "scenes/primitives.h"
#include "scenes/screen_shape.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr double kScriptedStart = 214.20612;
constexpr float kLength = 56.47458f;
// The particle shapes drawn over this scene leave a square projection in force.
constexpr float kNightView = kWideViewUnderSquareProjection;
constexpr float kSkyRadius = 300;
const Vec3 kMoon{-110, 95, 250};
constexpr float kMoonRadius = 20;

void AddSky(SceneAssembly& scene) {
  Mesh dome = Flipped(Sphere(kSkyRadius, 32, 16));
  for (size_t i = 0; i < dome.positions.size(); ++i) {
    dome.uvs[i] = {dome.uvs[i].u * 8, dome.uvs[i].v * 4};
    const float up = dome.positions[i].y / kSkyRadius;
    const float glow = portable::exp(-std::fabs(up) * 5);
    dome.colours[i] =
        up >= 0 ? ColourValue{0.5f + 0.5f * glow, 0.55f + 0.35f * glow, 0.8f + 0.2f * glow, 1}
                : ColourValue{0.1f, 0.12f, 0.2f, 1};
  }
  scene.AddMesh("Sky", "sky", dome, {});
  // The moon, a pale disc facing the lake.
  Mesh moon = ParametricSurface(24, 2, [](float u, float v) {
    const float angle = 2 * kPi * u;
    return SurfacePoint{
        {kMoonRadius * v * kNightView * portable::cos(angle), kMoonRadius * v * portable::sin(angle), 0},
        {0, 0, -1},
        {u, v}};
  });
  for (size_t i = 0; i < moon.positions.size(); ++i) {
    const float rim = Length(Scale(moon.positions[i], {1 / kNightView, 1, 1})) / kMoonRadius;
    moon.colours[i] = {0.95f - 0.2f * rim, 0.93f - 0.2f * rim, 0.85f - 0.15f * rim, 1};
  }
  scene.AddMesh("Moon", "moon", moon, {kMoon});
}

void AddLake(SceneAssembly& scene) {
  scene.AddWave("Lake", "water", 440, 1.0f, {{0, 0, 60}});
  // The moon's path across the water and its halo in the sky.
  Mesh path = Grid(26 * kNightView, 260, 1, 8);
  for (size_t i = 0; i < path.positions.size(); ++i) {
    const float far = path.positions[i].z / 260 + 0.5f;
    path.colours[i] = {0.3f + 0.3f * far, 0.32f + 0.3f * far, 0.4f + 0.3f * far, 1};
  }
  const float towardsMoon = portable::atan2(kMoon.x, kMoon.z);
  scene.AddMesh("MoonPath", "halo", path,
                {{kMoon.x * 0.45f, 0.3f, kMoon.z * 0.45f}, AxisAngle({0, 1, 0}, towardsMoon)});
  Mesh halo = Quad(170 * kNightView, 170);
  Paint(halo, {0.3f, 0.34f, 0.48f, 1});
  scene.AddMesh("MoonHalo", "halo", halo, {kMoon + Vec3{0, 0, -1}});
}

// Sky lanterns: a glowing paper box and its halo, rising and swaying.
void AddLanterns(SceneAssembly& scene) {
  ContentRandom random(0x1A77);
  for (int i = 0; i < 48; ++i) {
    const std::string number = std::to_string(i);
    const bool near = i < 14;  // some rise close to the camera
    const Vec3 start{random.Range(-70, 50), random.Range(-10, 40),
                     near ? random.Range(-45, -10) : random.Range(0, 180)};
    const float rise = random.Range(0.5f, 1.1f), sway = random.Range(0.5f, 2),
                swayRate = random.Range(0.15f, 0.35f);
    const float phase = random.Range(0, 2 * kPi);
    const auto at = [=](float t) {
      return start + Vec3{sway * portable::sin(swayRate * t + phase), rise * t,
                          0.6f * sway * portable::cos(swayRate * 0.7f * t + phase)};
    };
    Mesh body = Box({0.9f * kNightView, 1.2f, 0.9f * kNightView});
    const float flicker = random.Range(0.8f, 1.0f);
    Paint(body, {flicker, flicker * 0.9f, flicker * 0.8f, 1});
    scene.AddMesh("Lantern" + number, "paper", body, {at(0)});
    Mesh halo = Quad(9 * kNightView, 9);
    Paint(halo, {0.75f * flicker, 0.42f * flicker, 0.16f * flicker, 1});
    scene.AddMesh("LanternHalo" + number, "halo", halo, {at(0)});
    // Start below the water and they simply have not been lit yet: keep them hidden there.
    const std::vector<VectorKey> keys = SampledVectorKeys(-1, kLength + 1, 15, at);
    scene.Track("Lantern" + number).positionKeys = keys;
    scene.Track("LanternHalo" + number).positionKeys = keys;
  }
}

std::vector<CameraShot> Shots() {
  const MusicClock clock(kScriptedStart, 0);
  std::vector<CameraShot> shots(4);
  // Up from the water to the lanterns.
  shots[0] = {0, clock.Bar(9), Line({5, 2.5f, -70}, {0, 4, -68}, EaseInOut),
              Line({-10, 6, 100}, {-20, 40, 100}, EaseInOut)};
  // Across them, slowly.
  shots[1] = {clock.Bar(9), clock.Bar(17), Line({-14, 6, -50}, {10, 9, -44}, Linear),
              Line({-20, 30, 80}, {0, 34, 80}, Linear)};
  // Low over the lake towards the moon.
  shots[2] = {clock.Bar(17), clock.Bar(25), Line({-8, 1.6f, -40}, {-22, 1.8f, -5}, EaseInOut),
              Still(kMoon * 0.6f)};
  // Up with the lanterns into the stars, as the music and the picture fade.
  shots[3] = {clock.Bar(25), kLength, Line({0, 5, -60}, {-5, 35, -80}, EaseInOut),
              Line({-10, 50, 80}, {-10, 110, 60}, EaseInOut)};
  for (CameraShot& shot : shots) {
    shot.fov = 1.2f;
    shot.nearPlane = 0.5f;
    shot.farPlane = 700;
  }
  return shots;
}

}  // namespace

SceneAssembly EndScene() {
  SceneAssembly scene(kLength);
  scene.SetAmbient({0.1f, 0.12f, 0.2f, 1});
  // Painted in this order (there is no depth): sky, moon, water, then the glowing things.
  scene.AddMaterial("sky", "hrn_nightsky.png", 0);
  scene.AddMaterial("moon", "hrn_grain.png", 0);
  scene.AddMaterial("water", "hrn_nightwater.png", 0);
  scene.AddMaterial("paper", "hrn_lantern.png", kMaterialAdditive);
  scene.AddMaterial("halo", "hrn_glow.png", kMaterialAdditive | kMaterialTwoSided);
  AddSky(scene);
  AddLake(scene);
  AddLanterns(scene);
  scene.AddLight("MoonLight", kMoon, {0.6f, 0.65f, 0.8f, 1}, 1000);
  AddCameraShots(scene, "Cam", Shots());
  return scene;
}

}  // namespace scenes
