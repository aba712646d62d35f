// "greets.hrn": greetings flying down the vent shaft. The scene is drawn over the shaft
// flight without depth, so it holds nothing but glowing words (and a few sparkles), added
// to the picture: every two bars one name rushes up out of the depth, pauses before the
// camera, and shoots past.
#include <algorithm>
#include <array>
#include <string>

#include "kit/random.h"
#include "scenes/camera_shots.h"
#include "scenes/easing.h"
#include "scenes/heron_scenes.h"
#include "scenes/keyframes.h"
#include "scenes/music_clock.h"
#include "scenes/primitives.h"
#include "scenes/screen_shape.h"
#include "scenes/text_mesh.h"

namespace scenes {
namespace {

constexpr double kScriptedStart = 190.03316;
constexpr float kLength = 24.17296f;

// Invented names, none of them anybody's.
constexpr std::array<const char*, 8> kWords = {
    "greetings to",     "moth & lamp", "tinfoil choir",  "owlcircuit",
    "the quiet engine", "sodium hum",  "copper orchard", "velvet lathe"};

// Vertex colours from white-hot at the top of the letters to the tint at their foot.
void Glaze(Mesh& mesh, ColourValue tint) {
  for (size_t i = 0; i < mesh.positions.size(); ++i) {
    const float t = std::clamp(0.5f - mesh.positions[i].y / 0.9f, 0.0f, 1.0f);
    mesh.colours[i] = {1 + (tint.r - 1) * t, 1 + (tint.g - 1) * t, 1 + (tint.b - 1) * t, 1};
  }
}

// A dark, soft-edged plate behind a word spanning `low`..`high` (x and y), drawn blended
// before it so that the words stand out of the bright grating behind them. The shadow
// texture is darkest along its v = 0 edge and clear at v = 1: the plate's middle samples
// the first and its rim the second, twice over for a deeper shade.
Mesh Backing(Vec3 low, Vec3 high) {
  constexpr float kMargin = 0.3f, kFeather = 0.55f;
  constexpr float kDark = 0.02f, kClear = 0.98f;
  const float x0 = low.x - kMargin, x1 = high.x + kMargin;
  const float y0 = low.y - kMargin, y1 = high.y + kMargin;
  const Vec3 towardCamera{0, 0, -1};
  Mesh plate;
  const Vec3 inner[4] = {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}};
  const Vec3 outward[4] = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
  uint16_t in[4], out[4];
  for (int i = 0; i < 4; ++i) {
    in[i] = plate.AddVertex(inner[i], towardCamera, {0.5f, kDark});
    out[i] = plate.AddVertex(inner[i] + outward[i] * kFeather, towardCamera, {0.5f, kClear});
  }
  plate.AddTriangle(in[0], in[1], in[2]);
  plate.AddTriangle(in[0], in[2], in[3]);
  for (int i = 0; i < 4; ++i) {
    const int next = (i + 1) % 4;
    plate.AddTriangle(in[i], out[i], out[next]);
    plate.AddTriangle(in[i], out[next], in[next]);
  }
  Paint(plate, {0, 0, 0, 1});
  Mesh twice = plate;
  Append(twice, plate);
  return twice;
}

void AddWord(SceneAssembly& scene, size_t index, float start, float end) {
  Lettering lettering;
  lettering.face = index == 0 ? Typeface::kSerifBold : Typeface::kSansBold;
  lettering.height = index == 0 ? 1.0f : 0.85f;
  lettering.widthScale = kWideView;
  lettering.curveSteps = 4;
  lettering.flat = true;
  Mesh word = TextMesh(kWords[index], lettering);
  const ColourValue tints[3] = {{0.2f, 0.75f, 1, 1}, {1, 0.45f, 0.2f, 1}, {0.6f, 0.3f, 1, 1}};
  Glaze(word, tints[index % 3]);
  const std::string name = "Word" + std::to_string(index);
  scene.AddMesh(name, "words", word, {{0, 0, 80}, {}, {0, 0, 0}});
  Vec3 low = word.positions.front(), high = low;
  for (const Vec3& p : word.positions) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), 0};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), 0};
  }
  const std::string backing = "Backing" + std::to_string(index);
  scene.AddMesh(backing, "backing", Backing(low, high), {{0, 0, 80}, {}, {0, 0, 0}});

  // Up out of the depth, a pause before the camera, then past it: it arrives within the
  // first fifth of its two bars and holds until the last tenth, so it can be read for
  // most of them.
  const float length = end - start;
  const float side = index % 2 == 0 ? -1.0f : 1.0f;
  const std::vector<TimedValue> path = {{start, {side * 3, -1.5f, 60}},
                                        {start + 0.2f * length, {0, 0.2f, 11}},
                                        {start + 0.88f * length, {0, 0, 9.5f}},
                                        {end, {-side * 1.5f, 0.4f, -0.5f}}};
  const auto turns = RotationKeys({{start, AxisAngle({0, 0, 1}, side * 0.9f)},
                                   {start + 0.2f * length, AxisAngle({0, 0, 1}, -side * 0.05f)},
                                   {end, AxisAngle({0, 0, 1}, side * 0.25f)}},
                                  KeyMotion::kStopAtKeys);
  // Out of sight except in its own two bars.
  const auto shown = VectorKeys(
      {{start - 0.01f, {0, 0, 0}}, {start, {1, 1, 1}}, {end, {1, 1, 1}}, {end + 0.01f, {0, 0, 0}}},
      KeyMotion::kStopAtKeys);
  NodeTrack& track = scene.Track(name);
  track.positionKeys = VectorKeys(path, KeyMotion::kSmooth);
  track.rotationKeys = turns;
  track.scaleKeys = shown;
  // The backing follows a hair behind the word, so it is drawn first.
  std::vector<TimedValue> behind = path;
  for (TimedValue& key : behind) key.value = key.value + Vec3{0, 0, 0.05f};
  NodeTrack& backingTrack = scene.Track(backing);
  backingTrack.positionKeys = VectorKeys(behind, KeyMotion::kSmooth);
  backingTrack.rotationKeys = turns;
  // It shrinks away as the word starts towards the camera, before it could fill the view.
  backingTrack.scaleKeys = VectorKeys({{start - 0.01f, {0, 0, 0}},
                                       {start, {1, 1, 1}},
                                       {start + 0.88f * length, {1, 1, 1}},
                                       {start + 0.95f * length, {0, 0, 0}}},
                                      KeyMotion::kStopAtKeys);
}

// A few sparkles drifting towards the camera.
void AddSparkles(SceneAssembly& scene) {
  ContentRandom random(0x6EE7);
  for (int i = 0; i < 10; ++i) {
    const std::string name = "Sparkle" + std::to_string(i);
    Mesh star = Quad(1.2f * kWideView, 1.2f);
    const float warmth = random.Unit();
    Paint(star, {0.6f + 0.4f * warmth, 0.7f, 1.0f - 0.4f * warmth, 1});
    const Vec3 from{random.Range(-6, 6), random.Range(-4, 4), random.Range(30, 60)};
    scene.AddMesh(name, "sparkle", star, {from});
    const float period = random.Range(5, 9), phase = random.Range(0, period);
    // Each sparkle streams in from the depth, over and over, on its own period.
    std::vector<TimedValue> path;
    for (float t = -phase; t < kLength + period; t += period) {
      path.push_back({t, from});
      path.push_back({t + period - 0.01f, {from.x * 1.6f, from.y * 1.6f, 1}});
    }
    scene.Track(name).positionKeys = VectorKeys(path, KeyMotion::kStopAtKeys);
  }
}

}  // namespace

SceneAssembly GreetsScene() {
  const MusicClock clock(kScriptedStart, 0);
  SceneAssembly scene(kLength);
  scene.AddMaterial("backing", "hrn_shadow.png", kMaterialAlphaBlended | kMaterialTwoSided);
  scene.AddMaterial("words", "hrn_scanlines.png", kMaterialAdditive | kMaterialTwoSided);
  scene.AddMaterial("sparkle", "hrn_star.png", kMaterialAdditive | kMaterialTwoSided);
  for (size_t i = 0; i < kWords.size(); ++i) {
    const float start = clock.Bar(2.0 * static_cast<double>(i));
    const float end =
        i + 1 == kWords.size() ? kLength : clock.Bar(2.0 * static_cast<double>(i + 1));
    AddWord(scene, i, start, end);
  }
  AddSparkles(scene);
  // Two still cameras, the second leaning the other way from the half-way cut on.
  std::vector<CameraShot> shots(2);
  shots[0] = {0, clock.Bar(8), Still({0, 0, 0}), Still({0, 0, 10})};
  shots[0].roll = [](float p) { return 0.12f - 0.1f * p; };
  shots[1] = {clock.Bar(8), kLength, Still({0, 0, 0}), Still({0, 0, 10})};
  shots[1].roll = [](float p) { return -0.08f + 0.16f * p; };
  for (CameraShot& shot : shots) {
    shot.fov = 0.9f;
    shot.nearPlane = 0.2f;
    shot.farPlane = 100;
  }
  AddCameraShots(scene, "Cam", shots);
  return scene;
}

}  // namespace scenes
