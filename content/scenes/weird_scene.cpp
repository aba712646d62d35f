// "weird.hrn": living shapes under the fractal. Lumps of veined flesh swell and fold, and
// tentacles curl up around them; all of it is vertex animation (a mesh frame every 1.9
// seconds, blended between). The capture part flashes the screen grey three times; the
// camera cuts under each flash: a slow turn round the great lump, up at the tentacles, a
// fast rolling orbit, and a push in on the great lump that stops outside the orbit of the
// buds, so that none of them passes through the camera.
#include <cmath>
#include <numbers>
#include <string>

#include "scenes/camera_shots.h"
#include "scenes/easing.h"
#include "scenes/heron_scenes.h"
#include "scenes/keyframes.h"
#include "scenes/mesh_lighting.h"
#include "scenes/primitives.h"
#include "scenes/screen_shape.h"
#include "scenes/spin.h"
#include "scenes/sweeps.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kLength = 12.35446f;  // the capture part's span, 81.63964 .. 93.9941
// The capture part's flashes, as fractions of its span.
constexpr float kFlashes[3] = {0.264642f, 0.512962f, 0.754874f};
constexpr int kFrames = 8;
constexpr float kSlim = 0.92f;  // solids seen from all round are narrowed less

std::vector<float> FrameTimes() { return EvenTimes(-0.5f, kLength + 0.5f, kFrames - 1); }

LightRig FleshLight() {
  LightRig rig;
  rig.sky = {0.5f, 0.35f, 0.6f, 1};
  rig.ground = {0.15f, 0.3f, 0.1f, 1};
  rig.directional.push_back({{-0.5f, -0.6f, 0.6f}, {0.9f, 0.85f, 0.6f, 1}});
  rig.directional.push_back({{0.7f, 0.2f, -0.5f}, {0.2f, 0.5f, 0.7f, 1}});
  return rig;
}

// A sphere whose surface swells in slow waves that travel over it with time.
Mesh Lump(float radius, float time, float seed, int slices, int stacks) {
  Mesh lump = Sphere(radius, slices, stacks);
  for (Vec3& p : lump.positions) {
    const Vec3 n = Normalised(p);
    const float swell = 0.22f * portable::sin(3 * n.x + 2 * n.y + 1.7f * time + seed) +
                        0.14f * portable::sin(5 * n.z - 3 * n.y - 2.3f * time + 2 * seed) +
                        0.08f * portable::sin(9 * n.y + 4 * n.x + 3.1f * time);
    // Narrowed across, as the picture is shown wider than the view.
    p = Scale(n * (radius * (1 + swell)), {kSlim, 1, kSlim});
  }
  SmoothNormals(lump);
  return lump;
}

// Colours drifting from acid green through magenta to amber over the frames.
ColourValue FleshColour(float time, float seed) {
  const float phase = 0.5f * time + seed;
  return {0.65f + 0.35f * portable::sin(phase), 0.6f + 0.4f * portable::sin(phase + 2.1f),
          0.55f + 0.45f * portable::sin(phase + 4.2f), 1};
}

Mesh Tentacle(float time, float seed) {
  std::vector<Vec3> path;
  std::vector<float> radii;
  constexpr int kPoints = 16;
  for (int i = 0; i < kPoints; ++i) {
    const float s = static_cast<float>(i) / (kPoints - 1);
    const float curl = s * s * (2.5f + 1.5f * portable::sin(time * 0.9f + seed));
    path.push_back({portable::sin(curl + seed) * 2.2f * s, s * 9,
                    portable::cos(curl * 1.3f + seed) * 2.2f * s - 2.2f * s});
    radii.push_back(0.55f * (1 - s) + 0.06f);
  }
  Mesh tube = Tube(path, radii, 6);
  for (MeshUv& uv : tube.uvs) uv = {uv.u, uv.v * 3};
  return tube;
}

// Morphing frames of `shape`, each coloured and lit.
std::vector<Mesh> Frames(Mesh (*shape)(float time, float seed), float seed, float colourSeed,
                         const Placement& placement) {
  std::vector<Mesh> frames;
  for (const float time : FrameTimes()) {
    Mesh frame = shape(time, seed);
    Paint(frame, FleshColour(time, colourSeed));
    BakeLighting(frame, FleshLight(), placement);
    frames.push_back(std::move(frame));
  }
  return frames;
}

Mesh GreatLump(float time, float seed) { return Lump(3, time, seed, 26, 16); }
Mesh SmallLump(float time, float seed) { return Lump(1.1f, time * 1.6f, seed, 18, 11); }

void AddShapes(SceneAssembly& scene) {
  const Placement centre{{0, 0, 0}};
  scene.AddMorphingMesh("Lump", "flesh", Frames(GreatLump, 0, 0, centre), FrameTimes(), centre);
  for (int i = 0; i < 3; ++i) {
    const std::string name = "Bud" + std::to_string(i);
    const float angle = 2 * kPi * static_cast<float>(i) / 3;
    const Placement at{
        {6 * portable::cos(angle), 1.5f * static_cast<float>(i) - 1, 6 * portable::sin(angle)}};
    scene.AddMorphingMesh(
        name, "flesh",
        Frames(SmallLump, 1.7f * static_cast<float>(i), 2.0f + static_cast<float>(i), at),
        FrameTimes(), at);
    // The buds circle the great lump, bobbing.
    const float speed = 0.5f + 0.15f * static_cast<float>(i);
    scene.Track(name).positionKeys = SampledVectorKeys(-1, kLength + 1, 28, [=](float t) {
      const float a = angle + speed * t;
      return Vec3{6 * portable::cos(a), 1.5f * static_cast<float>(i) - 1 + portable::sin(1.3f * t + angle),
                  6 * portable::sin(a)};
    });
  }
  for (int i = 0; i < 5; ++i) {
    const std::string name = "Tentacle" + std::to_string(i);
    const float angle = 2 * kPi * (static_cast<float>(i) + 0.3f) / 5;
    const Placement at{{9 * portable::cos(angle), -7, 9 * portable::sin(angle)},
                       AxisAngle({0, 1, 0}, -angle - kPi / 2)};
    scene.AddMorphingMesh(
        name, "flesh",
        Frames(Tentacle, static_cast<float>(i) * 1.3f, 4.0f + static_cast<float>(i), at),
        FrameTimes(), at);
  }
}

void AddSurroundings(SceneAssembly& scene) {
  // A dark womb around everything, and a glow behind the great lump.
  Mesh womb = Flipped(Sphere(60, 24, 12));
  for (size_t i = 0; i < womb.positions.size(); ++i) {
    const float up = womb.positions[i].y / 60;
    womb.colours[i] = {0.25f + 0.15f * up, 0.06f, 0.2f - 0.1f * up, 1};
    womb.uvs[i] = {womb.uvs[i].u * 6, womb.uvs[i].v * 3};
  }
  scene.AddMesh("Womb", "flesh", womb, {});
  Mesh aura;
  for (int i = 0; i < 3; ++i)
    Append(aura, Placed(Quad(16 * kWideView, 16),
                        {{}, AxisAngle({0, 1, 0}, kPi * static_cast<float>(i) / 3)}));
  Paint(aura, {0.5f, 0.2f, 0.45f, 1});
  scene.AddMesh("Aura", "aura", aura, {});
  scene.Track("Aura").rotationKeys = SpinKeys({}, {0, 1, 0}, 0.8f, -1, kLength + 1);
}

std::vector<CameraShot> Shots() {
  const float cuts[3] = {kFlashes[0] * kLength, kFlashes[1] * kLength, kFlashes[2] * kLength};
  std::vector<CameraShot> shots(4);
  shots[0] = {0, cuts[0], Orbit({}, 10, 9, 2, 1, -1.9f, -1.2f, Linear), Still({0, 0.5f, 0})};
  shots[1] = {cuts[0], cuts[1], Line({2, -6, -9}, {1, -5.5f, -7}, Linear),
              Line({0, 4, 2}, {0, 6, 0}, Linear)};
  shots[2] = {cuts[1], cuts[2], Orbit({}, 13, 11, 5, -2, 0.5f, 2.5f, EaseIn), Still({})};
  shots[2].roll = [](float p) { return 0.6f * portable::sin(p * kPi * 2); };
  shots[3] = {cuts[2], kLength, Line({-3, 2, -13}, {-1.5f, 3, -8.5f}, EaseIn), Still({0, 0, 0})};
  for (CameraShot& shot : shots) {
    shot.fov = 1.0f;
    shot.nearPlane = 0.2f;
    shot.farPlane = 120;
  }
  return shots;
}

}  // namespace

SceneAssembly WeirdScene() {
  SceneAssembly scene(kLength);
  scene.SetAmbient({0.5f, 0.35f, 0.6f, 1});
  scene.AddMaterial("flesh", "hrn_veins.png", 0);
  scene.AddMaterial("aura", "hrn_glow.png", kMaterialAdditive | kMaterialTwoSided);
  AddSurroundings(scene);
  AddShapes(scene);
  AddCameraShots(scene, "Cam", Shots());
  return scene;
}

}  // namespace scenes
