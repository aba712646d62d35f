// "text.hrn": the title. The title part plays this scene in seven steps of 20 frames (a
// frame is 1/100 of a second of scene time, 700 frames in all) and holds it still between
// them; in each step one letter of "lantern" drops into its place, spinning, with a flash.
// The letters are drawn over the binary city, so they stand in a thin slab just beyond the
// camera's near plane, where their depth is smaller than anything the city draws.
#include <numbers>
#include <string>

#include "scenes/camera_shots.h"
#include "scenes/heron_scenes.h"
#include "scenes/keyframes.h"
#include "scenes/mesh_lighting.h"
#include "scenes/primitives.h"
#include "scenes/screen_shape.h"
#include "scenes/text_mesh.h"

namespace scenes {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kFrame = 0.01f;  // scene seconds per frame of the title part's table
constexpr float kLength = 700 * kFrame;
constexpr float kStep = 20 * kFrame;  // a letter's arrival
constexpr float kNear = 40;
constexpr float kLetterDepth = 45.2f;  // just beyond 1.11 times the near plane

LightRig LetterLight() {
  LightRig rig;
  rig.sky = {0.55f, 0.5f, 0.45f, 1};
  rig.ground = {0.3f, 0.22f, 0.15f, 1};
  rig.directional.push_back({{0.2f, -0.3f, 1}, {0.75f, 0.7f, 0.6f, 1}});
  return rig;
}

void AnimateLetter(SceneAssembly& scene, const std::string& name, Vec3 slot, float start) {
  const auto at = [start](float fraction) { return start + kStep * fraction; };
  NodeTrack& track = scene.Track(name);
  track.positionKeys = VectorKeys({{at(0), slot + Vec3{0, 2.6f, 0}},
                                   {at(0.6f), slot + Vec3{0, -0.09f, 0}},
                                   {at(0.8f), slot + Vec3{0, 0.03f, 0}},
                                   {at(1), slot}},
                                  KeyMotion::kSmooth);
  track.scaleKeys =
      VectorKeys({{at(0), {0, 0, 0}}, {at(0.45f), {1.12f, 1.12f, 1.12f}}, {at(1), {1, 1, 1}}},
                 KeyMotion::kSmooth);
  track.rotationKeys = RotationKeys({{at(0), AxisAngle({0, 1, 0}, -kPi * 0.95f)},
                                     {at(0.7f), AxisAngle({0, 1, 0}, 0.18f)},
                                     {at(1), {}}},
                                    KeyMotion::kStopAtKeys);
}

void AddFlash(SceneAssembly& scene, const std::string& name, Vec3 slot, float start) {
  Mesh glow = Quad(2.4f * kWideView, 2.4f);
  Paint(glow, {1.0f, 0.75f, 0.35f, 1});
  scene.AddMesh(name, "flash", glow, {slot + Vec3{0, 0, 0.6f}, {}, {0, 0, 0}});
  const auto at = [start](float fraction) { return start + kStep * fraction; };
  scene.Track(name).scaleKeys =
      VectorKeys({{at(0.45f), {0, 0, 0}}, {at(0.62f), {1.3f, 1.3f, 1.3f}}, {at(1), {0, 0, 0}}},
                 KeyMotion::kStopAtKeys);
}

}  // namespace

SceneAssembly TitleScene() {
  SceneAssembly scene(kLength);
  scene.SetAmbient({0.55f, 0.5f, 0.45f, 1});
  scene.AddMaterial("gold", "hrn_gold.png", 0);
  scene.AddMaterial("flash", "hrn_glow.png", kMaterialAdditive);

  Lettering lettering;
  lettering.face = Typeface::kSansBold;
  lettering.height = 1.3f;
  lettering.depth = 0.3f;
  lettering.widthScale = kWideView;
  lettering.curveSteps = 6;
  lettering.withBack = true;
  const std::vector<Letter> letters = Letters("lantern", lettering);
  for (size_t i = 0; i < letters.size(); ++i) {
    const std::string name = std::string("Letter") + std::to_string(i);
    Mesh mesh = letters[i].mesh;
    BakeLighting(mesh, LetterLight());
    const Vec3 slot = letters[i].centre + Vec3{0, 0, kLetterDepth};
    // Each letter is out of sight (scaled to nothing) until its step begins.
    scene.AddMesh(name, "gold", mesh, {slot, {}, {0, 0, 0}});
    const float start = 100 * kFrame * static_cast<float>(i);
    AnimateLetter(scene, name, slot, start);
    AddFlash(scene, "Flash" + std::to_string(i), slot, start);
  }

  // One still camera, kept current by two equal keys around the whole animation.
  CCamera& camera = scene.AddCamera("TitleCam", 0.8f, kNear, 1000);
  camera.rotation = ToD3D(CameraRotation({0, 0, 0}, {0, 0, 1}));
  scene.Track("TitleCam").positionKeys =
      VectorKeys({{-1, {0, 0, 0}}, {kLength + 1, {0, 0, 0}}}, KeyMotion::kSmooth);
  return scene;
}

}  // namespace scenes
