// "pitcombo.hrn": a deep rock pit with a pool of violet light at its floor, rippling, and
// fountains of sparks leaping out of it. The camera turns over the mouth of the pit, sinks
// along its wall, skims the pool, circles the great fountain with the beat and at last
// sweeps up through the sparks and out of the pit.
#include <cmath>
#include <numbers>
#include <string>

#include "kit/noise.h"
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
constexpr double kScriptedStart = 142.37498;
constexpr float kLength = 35.80472f;
constexpr float kDepth = 64;  // from the pool up to the mouth
constexpr float kPoolDiameter = 34;

// The pit's radius at `height` above the pool and `angle` round it: wider towards the top,
// with ledges and bulges.
float WallRadius(float angle, float height) {
  const float u = angle / (2 * kPi), v = height / kDepth;
  const float rough = FractalNoise(u, v * 2, 8, 4, 0.55f, 121) - 0.5f;
  return 18 + 6 * v * v + 3.5f * rough + 1.2f * portable::sin(height * 0.45f);
}

LightRig PitLight() {
  LightRig rig;
  rig.sky = {0.2f, 0.2f, 0.24f, 1};
  rig.ground = {0.14f, 0.08f, 0.2f, 1};
  rig.directional.push_back({{0.3f, -1, 0.2f}, {0.25f, 0.25f, 0.3f, 1}});
  rig.points.push_back({{0, 1, 0}, {1.4f, 0.55f, 1.7f, 1}, 40});
  rig.points.push_back({{0, 14, 0}, {0.5f, 0.5f, 1.0f, 1}, 28});
  return rig;
}

void AddWall(SceneAssembly& scene) {
  constexpr int kStoreys = 4;
  for (int storey = 0; storey < kStoreys; ++storey) {
    const float bottom = kDepth * static_cast<float>(storey) / kStoreys - 2;
    const float top = kDepth * static_cast<float>(storey + 1) / kStoreys;
    const int rows = 12, columns = 48;
    Mesh wall;
    for (int row = 0; row <= rows; ++row) {
      for (int column = 0; column <= columns; ++column) {
        const float angle = 2 * kPi * static_cast<float>(column) / columns;
        const float height = bottom + (top - bottom) * static_cast<float>(row) / rows;
        const float radius = WallRadius(std::fmod(angle, 2 * kPi), height);
        const Vec3 inward{-portable::cos(angle), 0, -portable::sin(angle)};
        wall.AddVertex(-inward * radius + Vec3{0, height, 0}, inward,
                       {static_cast<float>(column) / columns * 12, height / 6});
      }
    }
    for (int row = 0; row < rows; ++row) {
      for (int column = 0; column < columns; ++column) {
        const auto at = [&](int c, int r) { return static_cast<uint16_t>(r * (columns + 1) + c); };
        wall.AddTriangleFacingNormals(at(column, row), at(column + 1, row),
                                      at(column + 1, row + 1));
        wall.AddTriangleFacingNormals(at(column, row), at(column + 1, row + 1),
                                      at(column, row + 1));
      }
    }
    // Normals that follow the bumps, so the light rakes across them.
    for (size_t i = 0; i < wall.positions.size(); ++i) {
      const Vec3 p = wall.positions[i];
      const float angle = portable::atan2(p.z, p.x);
      const float slope = (WallRadius(angle < 0 ? angle + 2 * kPi : angle, p.y + 0.5f) -
                           WallRadius(angle < 0 ? angle + 2 * kPi : angle, p.y - 0.5f));
      wall.normals[i] = Normalised(wall.normals[i] + Vec3{0, slope, 0});
    }
    Paint(wall, {0.95f, 0.88f, 0.82f, 1});
    BakeLighting(wall, PitLight());
    scene.AddMesh("Wall" + std::to_string(storey), "rock", wall, {});
  }
  // The pit's floor round the pool.
  Mesh floor = Placed(Lathe({{kPoolDiameter / 2 - 1.5f, -0.5f}, {26, -0.5f}}, 48, 6, 1), {});
  floor = Flipped(floor);
  Paint(floor, {0.6f, 0.55f, 0.7f, 1});
  BakeLighting(floor, PitLight());
  scene.AddMesh("PitFloor", "rock", floor, {});
}

// A ring of iron girders at the mouth and a catwalk halfway down, with lamps.
void AddIronwork(SceneAssembly& scene) {
  Mesh iron = Placed(Torus(17.5f, 0.25f, 48, 6), {{0, 30, 0}});
  for (int i = 0; i < 12; ++i) {
    const float angle = 2 * kPi * static_cast<float>(i) / 12;
    const Vec3 out{portable::cos(angle), 0, portable::sin(angle)};
    Append(iron,
           Placed(Box({5, 0.3f, 0.3f}), {out * 19 + Vec3{0, 30, 0}, AxisAngle({0, 1, 0}, -angle)}));
    Append(iron, Placed(Box({0.3f, 0.3f, 10}), {out * 23 + Vec3{0, kDepth + 0.5f, 0},
                                                AxisAngle({0, 1, 0}, kPi / 2 - angle)}));
  }
  Paint(iron, {0.5f, 0.45f, 0.5f, 1});
  BakeLighting(iron, PitLight());
  scene.AddMesh("Ironwork", "iron", iron, {});
  Mesh lamps;
  for (int i = 0; i < 8; ++i) {
    const float angle = 2 * kPi * (static_cast<float>(i) + 0.5f) / 8;
    const Vec3 at = Vec3{portable::cos(angle), 0, portable::sin(angle)} * 17.5f + Vec3{0, 30.6f, 0};
    for (int j = 0; j < 2; ++j) {
      Append(lamps, Placed(Quad(3 * kWideView, 3),
                           {at, AxisAngle({0, 1, 0}, kPi / 2 * static_cast<float>(j))}));
    }
  }
  Paint(lamps, {1, 0.55f, 0.9f, 1});
  scene.AddMesh("Lamps", "glow", lamps, {});
}

void AddPool(SceneAssembly& scene) {
  scene.AddWave("Pool", "pool", kPoolDiameter, 1.2f, {});
  // A narrow box keeps the great fountain a column of sparks rather than a haze over the pit.
  scene.AddParticles("Fountain", "sparks", {9, 34, 9, 7, 700, 1.1f}, {{0, 0.5f, 0}});
  for (int i = 0; i < 4; ++i) {
    const float angle = kPi / 4 + kPi / 2 * static_cast<float>(i);
    const Vec3 at = Vec3{portable::cos(angle), 0, portable::sin(angle)} * 10 + Vec3{0, 0.4f, 0};
    scene.AddParticles("Jet" + std::to_string(i), "sparks", {4, 14, 4, 5, 160, 0.6f}, {at});
  }
  scene.AddLight("PoolLight", {0, 1, 0}, {0.8f, 0.4f, 1, 1}, 45);
}

std::vector<CameraShot> Shots() {
  const MusicClock clock(kScriptedStart, 0);
  const Vec3 pool{0, 0, 0};
  std::vector<CameraShot> shots(8);
  // Over the mouth, looking straight down, turning.
  shots[0] = {0, clock.Bar(4), Line({1, kDepth + 12, 0}, {1, kDepth + 4, 0}, EaseOut), Still(pool)};
  shots[0].roll = [](float p) { return 1.2f * p; };
  // Sinking along the wall, looking across and down.
  shots[1] = {clock.Bar(4), clock.Bar(8), Orbit(pool, 14, 13, 50, 22, 0.2f, 1.2f, EaseInOut),
              Line({-4, 10, -4}, {-2, 2, -2}, EaseInOut)};
  // Skimming the pool towards the fountain.
  shots[2] = {clock.Bar(8), clock.Bar(10), Line({-15, 2.2f, -6}, {-7, 2.8f, -2}, Linear),
              Line({0, 4, 0}, {2, 7, 1}, Linear)};
  // Round the fountain, close, the pool's glow under it.
  shots[3] = {clock.Bar(10), clock.Bar(12), Orbit(pool, 10, 8, 2, 4.5f, 2.0f, 3.4f, Linear),
              Line({0, 5, 0}, {0, 8, 0}, Linear)};
  // Rising beside the fountain, looking up along it to the catwalk and its lamps.
  shots[4] = {clock.Bar(12), clock.Bar(14), Orbit(pool, 11, 9, 2, 11, 0.3f, 1.4f, EaseInOut),
              Line({0, 10, 0}, {0, 19, 0}, EaseInOut)};
  shots[4].roll = [](float p) { return 0.35f * p; };
  // Fast round the pool's rim.
  shots[5] = {clock.Bar(14), clock.Bar(16), Orbit(pool, 15, 13, 6, 4, -1.0f, 0.6f, EaseIn),
              Still({0, 6, 0})};
  // Through the sparks and up.
  shots[6] = {clock.Bar(16), clock.Bar(20),
              Spline({{-12, 3, 8}, {-3, 10, 2}, {3, 22, -2}, {9, 34, -6}}, EaseInOut),
              Spline({{0, 6, 0}, {0, 14, 0}, {0, 10, 0}, {0, 2, 0}}, EaseInOut)};
  // Out of the pit, the pool shrinking below.
  shots[7] = {clock.Bar(20), kLength, Orbit(pool, 11, 6, 40, kDepth + 16, 0.4f, 1.8f, EaseInOut),
              Still(pool)};
  for (CameraShot& shot : shots) {
    shot.fov = 1.05f;
    shot.nearPlane = 0.3f;
    shot.farPlane = 160;
  }
  return shots;
}

}  // namespace

SceneAssembly PitScene() {
  SceneAssembly scene(kLength);
  scene.SetFog(0.2f, 0.75f, {0.06f, 0.02f, 0.1f, 1});
  scene.SetAmbient({0.12f, 0.1f, 0.2f, 1});
  scene.AddMaterial("rock", "hrn_rock.png", 0);
  scene.AddMaterial("iron", "hrn_steel.png", 0);
  scene.AddMaterial("pool", "hrn_plasma.png", 0);
  scene.AddMaterial("glow", "hrn_glow.png", kMaterialAdditive | kMaterialTwoSided);
  scene.AddMaterial("sparks", "hrn_spark.png", kMaterialAdditive | kMaterialTwoSided);
  AddWall(scene);
  AddIronwork(scene);
  AddPool(scene);
  scene.AddHelperEntry(2, "PitCentre");
  AddCameraShots(scene, "Cam", Shots());
  return scene;
}

}  // namespace scenes
