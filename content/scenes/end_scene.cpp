// "end.hrn": the closing night. Paper lanterns rise slowly from a dark lake into the stars
// under a low moon. The scene is drawn without depth behind the closing effects (the helix
// panel on the right, the particle shapes in the middle), so it is built to be painted in
// order: the sky, then the water, then everything that glows, added on top; and since every
// layer costs the software rasteriser its pixels, the sky stops just below the horizon
// where the water takes over. The camera drifts: up from the water, across the lanterns,
// low over the lake while the music breaks down and lanterns are lit one by one on the
// water, and up with all of them when the beat returns.
#include <algorithm>
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
const Vec3 kMoon{-170, 200, 200};
// Where the low shot over the lake looks: above the water, under the moon.
const Vec3 kLakeView{-66, 57, 150};
constexpr float kMoonRadius = 20;

// Directions across and up in the plane that faces back along the unit vector `out`.
struct FacingPlane {
  Vec3 across, up;
};
FacingPlane FacingPlaneOf(Vec3 out) {
  const Vec3 across = Normalised(Cross({0, 1, 0}, out));
  return {across, Cross(out, across)};
}

// A square `size` high, widened across the screen as the square projection needs, centred
// at `centre` in the plane facing back along `out`, textured 0..1 and painted `colour`.
void AddFacingSquare(Mesh& mesh, Vec3 centre, Vec3 out, float size, ColourValue colour) {
  const FacingPlane plane = FacingPlaneOf(out);
  uint16_t corners[4];
  for (int corner = 0; corner < 4; ++corner) {
    const float x = corner & 1 ? 0.5f : -0.5f, y = corner & 2 ? 0.5f : -0.5f;
    corners[corner] = mesh.AddVertex(
        centre + plane.across * (x * size * kNightView) + plane.up * (y * size), out * -1.0f,
        {x + 0.5f, y + 0.5f});
    mesh.colours.back() = colour;
  }
  mesh.AddTriangleFacingNormals(corners[0], corners[1], corners[3]);
  mesh.AddTriangleFacingNormals(corners[0], corners[3], corners[2]);
}

// The low sky, from a little below the horizon (the lake's far shore) up to where its
// moonlit haze has faded into the black the picture is cleared to. Above it the night is
// that black and its stars, which spares the rasteriser a layer under everything.
Mesh SkyBand() {
  constexpr float kLowest = -0.08f, kHighest = 0.6f;  // radians of elevation
  Mesh band = ParametricSurface(32, 6, [](float u, float v) {
    const float around = 2 * kPi * u, elevation = kLowest + (kHighest - kLowest) * v;
    const Vec3 out{portable::cos(elevation) * portable::cos(around), portable::sin(elevation),
                   portable::cos(elevation) * portable::sin(around)};
    return SurfacePoint{out * kSkyRadius, out * -1.0f, {u * 8, v}};
  });
  for (size_t i = 0; i < band.positions.size(); ++i) {
    const float up = std::max(band.positions[i].y / kSkyRadius, 0.0f);
    const float haze = portable::exp(-up * 5);
    const float high = std::clamp((up - 0.25f) / (portable::sin(kHighest) - 0.25f), 0.0f, 1.0f);
    const float fade = 1 - high * high * (3 - 2 * high);
    band.colours[i] = {(0.5f + 0.5f * haze) * fade, (0.55f + 0.4f * haze) * fade,
                       (0.8f + 0.2f * haze) * fade, 1};
  }
  return band;
}

// Stars: small glowing squares facing the lake, over the whole sky above the band's haze.
Mesh StarField() {
  ContentRandom random(0x5F1E);
  Mesh stars;
  for (int i = 0; i < 600; ++i) {
    const float around = random.Range(0, 2 * kPi);
    const float elevation = portable::asin(random.Range(0.08f, 1.0f));
    const Vec3 out{portable::cos(elevation) * portable::cos(around), portable::sin(elevation),
                   portable::cos(elevation) * portable::sin(around)};
    const float brightness = 0.25f + 0.75f * portable::pow(random.Unit(), 2.5f);
    const float warmth = random.Unit();
    AddFacingSquare(stars, out * (kSkyRadius - 10), out, random.Range(2.4f, 5.2f),
                    {brightness * (0.8f + 0.2f * warmth), brightness * 0.85f,
                     brightness * (1.0f - 0.25f * warmth), 1});
  }
  return stars;
}

void AddSky(SceneAssembly& scene) {
  scene.AddMesh("Sky", "sky", SkyBand(), {});
  scene.AddMesh("Stars", "halo", StarField(), {});
  // The moon, a pale disc turned to face the lake.
  const Vec3 towardsMoon = Normalised(kMoon);
  const FacingPlane plane = FacingPlaneOf(towardsMoon);
  Mesh moon = ParametricSurface(24, 2, [&](float u, float v) {
    const float angle = 2 * kPi * u, radius = kMoonRadius * v;
    return SurfacePoint{plane.across * (radius * kNightView * portable::cos(angle)) +
                            plane.up * (radius * portable::sin(angle)),
                        towardsMoon * -1.0f,
                        {u, v}};
  });
  for (size_t i = 0; i < moon.positions.size(); ++i) {
    const float rim = portable::hypot(Dot(moon.positions[i], plane.across) / kNightView,
                                      Dot(moon.positions[i], plane.up)) / kMoonRadius;
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
  const float moonBearing = portable::atan2(kMoon.x, kMoon.z);
  scene.AddMesh("MoonPath", "halo", path,
                {{kMoon.x * 0.45f, 0.3f, kMoon.z * 0.45f}, AxisAngle({0, 1, 0}, moonBearing)});
  Mesh halo;
  const Vec3 towardsMoon = Normalised(kMoon);
  AddFacingSquare(halo, kMoon - towardsMoon, towardsMoon, 110, {0.3f, 0.34f, 0.48f, 1});
  scene.AddMesh("MoonHalo", "halo", halo, {});
}

// Sky lanterns: a glowing paper box and its halo, rising and swaying.
void AddLanterns(SceneAssembly& scene) {
  ContentRandom random(0x1A77);
  for (int i = 0; i < 48; ++i) {
    const std::string number = std::to_string(i);
    const bool near = i < 8;  // some rise close to the camera
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
    Mesh halo = Quad(6 * kNightView, 6);
    Paint(halo, {0.8f * flicker, 0.45f * flicker, 0.17f * flicker, 1});
    scene.AddMesh("LanternHalo" + number, "halo", halo, {at(0)});
    // Start below the water and they simply have not been lit yet: keep them hidden there.
    const std::vector<VectorKey> keys = SampledVectorKeys(-1, kLength + 1, 15, at);
    scene.Track("Lantern" + number).positionKeys = keys;
    scene.Track("LanternHalo" + number).positionKeys = keys;
  }
}

// Lanterns set on the lake while the music breaks down (bars 17 to 25 of the section): lit
// two to a beat, from where the camera's low path ends outwards, so the lake fills with
// light ahead of it and the camera never passes over one. When the beat returns they lift off the water and rise with the others.
void AddWaterLanterns(SceneAssembly& scene) {
  constexpr int kCount = 36;
  const MusicClock clock(kScriptedStart, 0);
  const Vec3 pathEnd{-22, 0, -5};
  const Vec3 ahead = Normalised(Vec3{kLakeView.x - pathEnd.x, 0, kLakeView.z - pathEnd.z});
  const Vec3 side{ahead.z, 0, -ahead.x};
  ContentRandom random(0x3A7E);
  for (int i = 0; i < kCount; ++i) {
    const std::string name = "WaterLantern" + std::to_string(i);
    const float spread = static_cast<float>(i) / (kCount - 1);
    const float distance = 12 + 110 * spread * spread;
    const float across = random.Range(-1, 1) * (5 + 0.35f * distance);
    const Vec3 rest = pathEnd + ahead * distance + side * across + Vec3{0, 0.35f, 0};
    const float lit = clock.Bar(17 + 0.125 * i);
    const float release = clock.Bar(25 + random.Range(0, 1.5f));
    const float rise = random.Range(0.9f, 1.6f);
    const Vec3 risen = rest + Vec3{random.Range(-2, 2), rise * (kLength + 1 - release), 0};

    Mesh body = Box({0.8f * kNightView, 0.6f, 0.8f * kNightView});
    Paint(body, {1, 0.85f, 0.6f, 1});
    scene.AddMesh(name, "paper", body, {rest});
    Mesh halo = Quad(4 * kNightView, 4);
    Paint(halo, {0.85f, 0.45f, 0.15f, 1});
    scene.AddMesh(name + "Halo", "halo", halo, {rest});
    const std::vector<VectorKey> path = VectorKeys(
        {{-1, rest}, {release, rest}, {kLength + 1, risen}}, KeyMotion::kStopAtKeys);
    // Unlit, a lantern is shrunk to nothing: it neither shows nor costs a pixel.
    const Vec3 unlit{0.001f, 0.001f, 0.001f}, full{1, 1, 1};
    const std::vector<VectorKey> scale =
        VectorKeys({{-1, unlit}, {lit, unlit}, {lit + 0.4f, full}, {kLength + 1, full}},
                   KeyMotion::kStopAtKeys);
    for (const std::string& node : {name, name + "Halo"}) {
      scene.Track(node).positionKeys = path;
      scene.Track(node).scaleKeys = scale;
    }
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
              Still(kLakeView)};
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
  AddWaterLanterns(scene);
  scene.AddLight("MoonLight", kMoon, {0.6f, 0.65f, 0.8f, 1}, 1000);
  AddCameraShots(scene, "Cam", Shots());
  return scene;
}

}  // namespace scenes
