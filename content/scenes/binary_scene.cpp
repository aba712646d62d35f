// "binary.hrn": a city of binary digits in a teal fog. The camera cranes down onto the
// digit floor, glides along an avenue of towers, rushes through spinning rings of digits and
// comes to rest circling the monolith at the centre while the title plays over it.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "kit/random.h"
#include "scenes/camera_shots.h"
#include "scenes/easing.h"
#include "scenes/heron_scenes.h"
#include "scenes/keyframes.h"
#include "scenes/mesh_lighting.h"
#include "scenes/music_clock.h"
#include "scenes/parametric_surface.h"
#include "scenes/primitives.h"
#include "scenes/screen_shape.h"
#include "scenes/spin.h"
#include "scenes/text_mesh.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// The scene plays from the cut into "binary" to the cut into the terrain flight.
constexpr double kScriptedStart = 27.892973;
constexpr float kLength = 30.101637f;
const Vec3 kMonolith{0, 0, 75};
constexpr float kMonolithHeight = 48;
constexpr float kTextureTile = 8;  // world units per repeat of the digit texture

LightRig CityLight() {
  LightRig rig;
  rig.sky = {0.45f, 0.72f, 0.78f, 1};
  rig.ground = {0.12f, 0.22f, 0.26f, 1};
  rig.directional.push_back({{0.4f, -0.7f, 0.6f}, {0.75f, 0.9f, 0.95f, 1}});
  rig.points.push_back({kMonolith + Vec3{0, kMonolithHeight + 4, 0}, {0.6f, 1.0f, 0.9f, 1}, 60});
  return rig;
}

// Darker at the foot, lit at the top, as if the glow came from above.
void ShadeByHeight(Mesh& mesh, ColourValue tint, float footY, float topY) {
  for (size_t i = 0; i < mesh.positions.size(); ++i) {
    const float height = std::clamp((mesh.positions[i].y - footY) / (topY - footY), 0.0f, 1.0f);
    const float light = 0.5f + 0.7f * height;
    mesh.colours[i] = {tint.r * light, tint.g * light, tint.b * light, 1};
  }
}

bool InAvenue(float x) { return std::fabs(x) < 9; }
bool NearMonolith(float x, float z) { return portable::hypot(x - kMonolith.x, z - kMonolith.z) < 34; }

// The towers, in four meshes (one per quarter of the city) so each can be culled alone.
void AddTowers(SceneAssembly& scene) {
  ContentRandom random(0x70E5);
  Mesh quarters[4];
  for (float x = -112; x <= 112; x += 14) {
    for (float z = -112; z <= 160; z += 14) {
      const float px = x + random.Range(-2, 2), pz = z + random.Range(-2, 2);
      const float width = random.Range(4, 7.5f), base = random.Range(8, 18),
                  spread = random.Range(0, 26);
      const float height = base + spread * random.Unit();
      if (InAvenue(px) || NearMonolith(px, pz) || random.Unit() < 0.3f) continue;
      Mesh tower = Box({width, height, width}, 1, 1 / kTextureTile);
      const float hue = random.Unit();
      ShadeByHeight(tower, {0.45f + 0.3f * hue, 0.9f, 0.8f + 0.2f * hue, 1}, -height / 2,
                    height / 2);
      Append(quarters[(px < 0 ? 0 : 1) + (pz < 20 ? 0 : 2)], Placed(tower, {{px, height / 2, pz}}));
    }
  }
  const Vec3 centres[4] = {{-60, 0, -40}, {60, 0, -40}, {-60, 0, 100}, {60, 0, 100}};
  for (int i = 0; i < 4; ++i) {
    // Each quarter's node sits at its middle so the visibility sphere is a tight one.
    scene.AddMesh("Towers" + std::to_string(i), "city", Placed(quarters[i], {-centres[i]}),
                  {centres[i]});
  }
}

void AddFloor(SceneAssembly& scene) {
  Mesh floor = Grid(320, 320, 32, 32, 320 / kTextureTile);
  // Darker than the towers, so that from above their lit tops stand out of it.
  Paint(floor, {0.3f, 0.55f, 0.65f, 1});
  scene.AddMesh("Floor", "floor", floor, {{0, 0, 20}});
}

// A band of digits round the z axis, narrowed across to look round to a camera looking
// along it.
Mesh RingBand(float radius, float width) {
  return ParametricSurface(48, 1, [&](float u, float v) {
    const float angle = 2 * kPi * u;
    const Vec3 normal{portable::cos(angle), portable::sin(angle), 0};
    const Vec3 position{normal.x * radius * kWideView, normal.y * radius, (v - 0.5f) * width};
    return SurfacePoint{position, -normal, {u * 8, v * 0.6f}};
  });
}

// A dome of sky: near black overhead, the fog's teal towards the horizon.
void AddSky(SceneAssembly& scene) {
  Mesh dome = Flipped(Sphere(200, 24, 12));
  for (size_t i = 0; i < dome.positions.size(); ++i) {
    const float up = std::clamp(dome.positions[i].y / 200, 0.0f, 1.0f);
    const float glow = portable::pow(1 - up, 3.0f);
    dome.colours[i] = {0.04f + 0.3f * glow, 0.08f + 0.9f * glow, 0.11f + 1.0f * glow, 1};
  }
  scene.AddMesh("Sky", "sky", dome, {{0, -10, 20}});
}

void AddRings(SceneAssembly& scene) {
  for (int i = 0; i < 7; ++i) {
    const std::string name = "Ring" + std::to_string(i);
    Mesh band = RingBand(5.5f + 0.4f * static_cast<float>(i % 2), 1.4f);
    Paint(band, {0.5f, 0.9f, 1.0f, 1});
    scene.AddMesh(name, "rings", band, {{0, 6, -28 + 10 * static_cast<float>(i)}});
    scene.Track(name).rotationKeys =
        SpinKeys({}, {0, 0, 1}, (i % 2 == 0 ? 0.9f : -0.7f), -1, kLength + 1);
  }
}

void AddMonolith(SceneAssembly& scene, const Mesh& zero, const Mesh& one) {
  Mesh pillar = Box({8, kMonolithHeight, 8}, 4, 1 / kTextureTile);
  ShadeByHeight(pillar, {0.7f, 1.0f, 0.95f, 1}, -kMonolithHeight / 2, kMonolithHeight / 2);
  scene.AddMesh("Monolith", "city", pillar, {kMonolith + Vec3{0, kMonolithHeight / 2, 0}});

  // A crown of digits circling the top.
  Mesh halo;
  constexpr int kDigits = 14;
  for (int i = 0; i < kDigits; ++i) {
    const float angle = 2 * kPi * static_cast<float>(i) / kDigits;
    const Vec3 outward{portable::cos(angle), 0, portable::sin(angle)};
    // Each digit faces outward: its front (-z) turned to point along `outward`.
    const Quat facing = AxisAngle({0, 1, 0}, -angle - kPi / 2);
    Append(halo, Placed(i % 3 == 0 ? zero : one, {outward * 10, facing}));
  }
  BakeLighting(halo, CityLight());
  const Vec3 crown = kMonolith + Vec3{0, kMonolithHeight - 6, 0};
  scene.AddMesh("Halo", "digits", halo, {crown});
  scene.Track("Halo").rotationKeys = SpinKeys({}, {0, 1, 0}, 0.45f, -1, kLength + 1);
  scene.AddParticles("Spray", "spray", {36, 30, 36, 5, 260, 0.7f},
                     {kMonolith + Vec3{0, kMonolithHeight + 0.5f, 0}});
  scene.AddLight("Beacon", kMonolith + Vec3{0, kMonolithHeight + 4, 0}, {0.6f, 1.0f, 0.9f, 1}, 60);
}

// Single digits tumbling along the way the camera takes.
void AddDrifters(SceneAssembly& scene, const Mesh& zero, const Mesh& one) {
  ContentRandom random(0xD161);
  for (int i = 0; i < 26; ++i) {
    const float side = i % 2 == 0 ? -1.0f : 1.0f;
    const Vec3 at{side * random.Range(3.5f, 8), random.Range(2.5f, 15), random.Range(-80, 55)};
    Mesh digit = random.Unit() < 0.5f ? zero : one;
    BakeLighting(digit, CityLight(), {at});
    const std::string name = "Digit" + std::to_string(i);
    // One draw per statement: the order in which a call's arguments are evaluated differs
    // between compilers, and the archive must not.
    const float spinAngle = random.Range(0, kPi);
    const Vec3 spinAxis{random.Range(-1, 1), random.Range(-1, 1), random.Range(-1, 1)};
    const Quat start = AxisAngle(spinAxis, spinAngle);
    scene.AddMesh(name, "digits", digit, {at, start});
    const Vec3 axis{random.Range(-0.3f, 0.3f), 1, random.Range(-0.3f, 0.3f)};
    scene.Track(name).rotationKeys =
        SpinKeys(start, axis, random.Range(0.4f, 1.2f) * side, -1, kLength + 1);
  }
}

std::vector<CameraShot> Shots() {
  const MusicClock clock(kScriptedStart, 0);
  const Vec3 crownLook = kMonolith + Vec3{0, kMonolithHeight - 10, 0};
  std::vector<CameraShot> shots(5);
  // Crane down from high over the floor, tilting up to the towers.
  shots[0] = {0, clock.Bar(4), Line({16, 70, -125}, {3, 7, -82}, EaseInOut),
              Line({0, 0, -70}, {0, 12, 0}, EaseInOut)};
  // Glide low along the avenue.
  shots[1] = {clock.Bar(4), clock.Bar(8), Line({-2, 3, -74}, {2.5f, 5, -42}, Linear),
              Line({-1, 6, -20}, {1, 5, 0}, Linear)};
  shots[1].roll = [](float p) { return 0.12f * portable::sin(p * kPi); };
  // Rush through the rings, twisting, faster and faster into the next section.
  shots[2] = {clock.Bar(8), clock.Bar(11), Line({0, 6, -44}, {0, 6.5f, 38}, EaseIn),
              Line({0, 6, -20}, {0, 7, 60}, EaseIn)};
  shots[2].roll = [](float p) { return 0.9f * p * p; };
  // Circle the monolith while the title plays over the picture.
  shots[3] = {clock.Bar(11), clock.Bar(15),
              Orbit(kMonolith, 31, 27, 20, 14, -2.3f, -1.5f, EaseInOut), Still(crownLook)};
  shots[4] = {clock.Bar(15), kLength, Orbit(kMonolith, 28, 60, 12, 44, -1.0f, -0.4f, EaseInOut),
              Line(crownLook, kMonolith + Vec3{0, kMonolithHeight + 6, 0}, EaseInOut)};
  for (CameraShot& shot : shots) {
    shot.fov = 0.95f;
    shot.nearPlane = 0.5f;
    shot.farPlane = 260;
  }
  // The fog scales with the far plane: pushed out for the crane, so that from high above the
  // blocks keep their light against the floor instead of sinking into the haze.
  shots[0].farPlane = 420;
  return shots;
}

}  // namespace

SceneAssembly BinaryScene() {
  SceneAssembly scene(kLength);
  scene.SetFog(0.1f, 0.95f, {0.05f, 0.16f, 0.19f, 1});
  scene.SetAmbient({0.45f, 0.72f, 0.78f, 1});
  scene.AddMaterial("sky", "hrn_grain.png", 0);
  scene.AddMaterial("floor", "hrn_bits.png", 0);
  scene.AddMaterial("city", "hrn_bits.png", 0);
  scene.AddMaterial("digits", "hrn_sheen.png", 0);
  scene.AddMaterial("rings", "hrn_bits.png", kMaterialAdditive | kMaterialTwoSided);
  scene.AddMaterial("spray", "hrn_bitspark.png", kMaterialAdditive | kMaterialTwoSided);

  Lettering lettering;
  lettering.height = 3;
  lettering.depth = 0.6f;
  lettering.widthScale = kWideView;
  lettering.curveSteps = 2;
  lettering.withBack = true;
  const Mesh zero = Letters("0", lettering)[0].mesh;
  const Mesh one = Letters("1", lettering)[0].mesh;

  AddSky(scene);
  AddFloor(scene);
  AddTowers(scene);
  AddRings(scene);
  AddMonolith(scene, zero, one);
  AddDrifters(scene, zero, one);
  scene.AddHelperEntry(2, "CityGrid");
  AddCameraShots(scene, "Cam", Shots());
  return scene;
}

}  // namespace scenes
