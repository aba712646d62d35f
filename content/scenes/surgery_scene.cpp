// "surgery.hrn": an operating room under two great lamps, behind glass, with monitors
// flickering beside the table. The camera drifts in from the door, slides low along the
// table under the lamps, and then, with the beat, cuts between the heart monitor, a view
// through the glass screen, the table seen from above and a last rise into the lamps' glare.
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

namespace scenes {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr double kScriptedStart = 93.9941;
constexpr float kLength = 23.8995f;
constexpr float kRoomWidth = 10, kRoomHeight = 3.2f, kRoomDepth = 12;
const Vec3 kTable{0, 0, 0.5f};
const Vec3 kLampA{-0.45f, 2.3f, 0.2f};
const Vec3 kLampB{0.55f, 2.15f, 1.05f};
const Vec3 kTraceMonitor{1.75f, 1.35f, 1.0f};
const Vec3 kScanMonitor{-1.7f, 1.55f, 1.7f};

LightRig RoomLight() {
  LightRig rig;
  rig.sky = {0.62f, 0.7f, 0.7f, 1};
  rig.ground = {0.25f, 0.3f, 0.3f, 1};
  rig.directional.push_back({{0.2f, -1, 0.3f}, {0.2f, 0.22f, 0.22f, 1}});
  for (const Vec3& lamp : {kLampA, kLampB})
    rig.points.push_back({lamp + Vec3{0, -0.2f, 0}, {0.9f, 0.9f, 0.8f, 1}, 3.8f});
  return rig;
}

Mesh Lit(Mesh mesh, ColourValue colour, const Placement& placement = {}) {
  Paint(mesh, colour);
  BakeLighting(mesh, RoomLight(), placement);
  return mesh;
}

void AddRoom(SceneAssembly& scene) {
  const Vec3 centre{0, kRoomHeight / 2, 0};
  Mesh room = Flipped(Box({kRoomWidth, kRoomHeight, kRoomDepth}, 8, 1 / 1.2f));
  scene.AddMesh("Room", "tiles", Lit(room, {0.95f, 1, 1, 1}, {centre}), {centre});
  const Vec3 floorAt{0, 0.005f, 0};
  scene.AddMesh("Floor", "terrazzo",
                Lit(Grid(kRoomWidth, kRoomDepth, 10, 12, 4), {0.8f, 0.88f, 0.86f, 1}, {floorAt}),
                {floorAt});
  // Ceiling panels of light.
  Mesh panels;
  for (const float z : {-3.5f, 3.5f}) {
    for (const float x : {-2.5f, 2.5f}) {
      Append(panels, Placed(Flipped(Grid(1.2f, 2.4f, 1, 1)), {{x, kRoomHeight - 0.01f, z}}));
    }
  }
  Paint(panels, {0.55f, 0.6f, 0.6f, 1});
  scene.AddMesh("Panels", "panel", panels, {});
}

void AddTable(SceneAssembly& scene) {
  Mesh table = Lit(Cylinder(0.28f, 0.18f, 0.78f, 14, true), {0.7f, 0.72f, 0.75f, 1}, {kTable});
  Append(table, Lit(Placed(Box({0.72f, 0.1f, 2.1f}, 2), {{0, 0.83f, 0}}), {0.75f, 0.78f, 0.8f, 1},
                    {kTable}));
  scene.AddMesh("Table", "steel", table, {kTable});
  // The patient under a green sheet, head towards -z: the sheet rises over the chest, dips
  // at the waist and parts over the two legs down to the feet, which lift it at the end.
  Mesh sheet = Placed(Box({0.84f, 0.05f, 1.7f}, 3), {{0, 0.9f, 0.1f}});
  const auto body = [&](Vec3 at, Vec3 size) {
    Append(sheet, Placed(Sphere(0.5f, 16, 10), {at, {}, size}));
  };
  body({0, 0.95f, -0.6f}, {0.44f, 0.14f, 0.22f});    // shoulders
  body({0, 0.96f, -0.38f}, {0.46f, 0.22f, 0.56f});   // chest
  body({0, 0.945f, 0.06f}, {0.42f, 0.17f, 0.66f});   // belly and hips
  for (const float x : {-0.095f, 0.095f}) {
    body({x, 0.93f, 0.58f}, {0.2f, 0.13f, 0.84f});   // legs
    body({x, 0.965f, 0.93f}, {0.12f, 0.11f, 0.13f}); // feet
  }
  Mesh head = Placed(Sphere(0.11f, 12, 8), {{0, 0.99f, -0.86f}, {}, {0.85f, 0.9f, 1.05f}});
  Append(head, Placed(Sphere(0.05f, 8, 6), {{0, 0.96f, -0.75f}}));  // neck
  Mesh patient = Lit(sheet, {0.35f, 0.62f, 0.55f, 1}, {kTable});
  Append(patient, Lit(head, {0.85f, 0.72f, 0.64f, 1}, {kTable}));
  scene.AddMesh("Sheet", "cloth", patient, {kTable});
  // The instrument tray on its stand.
  const Vec3 trayAt{0.95f, 0, -0.45f};
  Mesh tray = Placed(Cylinder(0.03f, 0.03f, 0.95f, 6, false), {});
  Append(tray, Placed(Box({0.5f, 0.03f, 0.35f}, 2), {{0, 0.96f, 0}}));
  for (int i = 0; i < 5; ++i) {
    Append(tray, Placed(Box({0.02f, 0.015f, 0.22f}),
                        {{-0.18f + 0.09f * static_cast<float>(i), 0.985f, 0},
                         AxisAngle({0, 1, 0}, 0.1f * static_cast<float>(i - 2))}));
  }
  scene.AddMesh("Tray", "steel", Lit(tray, {0.85f, 0.88f, 0.9f, 1}, {trayAt}), {trayAt});
}

void AddLamp(SceneAssembly& scene, const std::string& name, Vec3 at) {
  // A dish on an arm from the ceiling; its face and glare are additive.
  const std::vector<Vec2> dish = {{0.05f, 0.0f},  {0.45f, 0.0f}, {0.45f, 0.0f},
                                  {0.43f, 0.08f}, {0.3f, 0.18f}, {0.08f, 0.22f}};
  Mesh lamp = Lathe(dish, 24, 1, 1);
  Append(lamp, Placed(Cylinder(0.035f, 0.035f, kRoomHeight - at.y, 8, false), {{0, 0.2f, 0}}));
  Append(lamp, Placed(Sphere(0.07f, 10, 6), {{0, 0.24f, 0}}));
  scene.AddMesh(name, "enamel", Lit(lamp, {0.9f, 0.92f, 0.9f, 1}, {at}), {at});
  Mesh face = Placed(Grid(0.84f, 0.84f, 1, 1), {{0, -0.005f, 0}, AxisAngle({1, 0, 0}, kPi)});
  Paint(face, {1, 1, 0.95f, 1});
  scene.AddMesh(name + "Face", "lampface", face, {at});
  Mesh glare = Placed(Quad(2.6f * kWideView, 2.6f), {{}, AxisAngle({1, 0, 0}, 0.5f)});
  Append(glare, Placed(Quad(2.6f * kWideView, 2.6f), {{}, AxisAngle({0, 1, 0}, kPi / 2)}));
  Paint(glare, {0.55f, 0.6f, 0.55f, 1});
  scene.AddMesh(name + "Glare", "glare", glare, {at + Vec3{0, -0.12f, 0}});
  scene.AddLight(name + "Light", at, {1, 1, 0.95f, 1}, 4);
}

void AddMonitor(SceneAssembly& scene, const std::string& name, const std::string& screenMaterial,
                Vec3 at, float turn) {
  const Quat facing = AxisAngle({0, 1, 0}, turn);
  Mesh body = Box({0.56f, 0.44f, 0.3f}, 2);
  Append(body, Placed(Cylinder(0.04f, 0.04f, at.y - 0.22f, 8, false), {{0, -at.y, 0.05f}}));
  Append(body, Placed(Box({0.5f, 0.06f, 0.5f}), {{0, 0.03f - at.y, 0.05f}}));
  scene.AddMesh(name, "plastic", Lit(body, {0.32f, 0.34f, 0.36f, 1}, {at, facing}), {at, facing});
  Mesh screen = Quad(0.46f, 0.34f);
  scene.AddMesh(name + "Screen", screenMaterial, screen,
                {at + Rotate(facing, {0, 0.01f, -0.152f}), facing});
}

// A glass screen in a steel frame, and a glass cabinet of bottles by the wall.
void AddGlass(SceneAssembly& scene) {
  const Vec3 screenAt{-2.1f, 1.0f, -0.2f};
  const Quat screenTurn = AxisAngle({0, 1, 0}, -kPi / 2 + 0.35f);
  Mesh frame = Placed(Box({1.8f, 0.05f, 0.05f}), {{0, 0.95f, 0}});
  Append(frame, Placed(Box({1.8f, 0.05f, 0.05f}), {{0, -0.95f, 0}}));
  Append(frame, Placed(Box({0.05f, 1.95f, 0.05f}), {{-0.9f, 0, 0}}));
  Append(frame, Placed(Box({0.05f, 1.95f, 0.05f}), {{0.9f, 0, 0}}));
  scene.AddMesh("ScreenFrame", "steel", Lit(frame, {0.8f, 0.82f, 0.85f, 1}, {screenAt, screenTurn}),
                {screenAt, screenTurn});
  Mesh pane = Quad(1.75f, 1.85f);
  Paint(pane, {0.85f, 1, 0.95f, 0.9f});
  scene.AddMesh("ScreenGlass", "glass", pane, {screenAt, screenTurn});

  const Vec3 cabinetAt{-4.7f, 1.3f, 2.8f};
  const Quat cabinetTurn = AxisAngle({0, 1, 0}, -kPi / 2);
  Mesh shelves;
  for (int i = 0; i < 4; ++i)
    Append(shelves,
           Placed(Box({1.6f, 0.03f, 0.4f}), {{0, -0.75f + 0.5f * static_cast<float>(i), 0}}));
  Append(shelves, Placed(Box({1.7f, 1.7f, 0.04f}), {{0, 0, 0.2f}}));
  Mesh bottles;
  for (int i = 0; i < 14; ++i) {
    const float x = -0.7f + 0.1f * static_cast<float>(i);
    const float shelf = -0.73f + 0.5f * static_cast<float>(i % 3);
    Append(bottles,
           Placed(Cylinder(0.04f, 0.04f, 0.16f + 0.06f * static_cast<float>(i % 4), 8, true),
                  {{x, shelf, -0.05f}}));
  }
  scene.AddMesh("Cabinet", "steel", Lit(shelves, {0.75f, 0.78f, 0.8f, 1}, {cabinetAt, cabinetTurn}),
                {cabinetAt, cabinetTurn});
  scene.AddMesh("Bottles", "enamel", Lit(bottles, {0.55f, 0.4f, 0.3f, 1}, {cabinetAt, cabinetTurn}),
                {cabinetAt, cabinetTurn});
  Mesh doors = Placed(Quad(1.7f, 1.7f), {{0, 0, -0.22f}});
  Paint(doors, {0.8f, 1, 0.95f, 0.8f});
  scene.AddMesh("CabinetGlass", "glass", doors, {cabinetAt, cabinetTurn});
}

std::vector<CameraShot> Shots() {
  const MusicClock clock(kScriptedStart, 0);
  const Vec3 tableTop = kTable + Vec3{0, 0.95f, 0};
  std::vector<CameraShot> shots(6);
  // In from the door.
  shots[0] = {0, clock.Bar(4), Line({0.3f, 2.0f, -5.6f}, {0.1f, 1.75f, -3.6f}, EaseOut),
              Line(tableTop + Vec3{0, 0.4f, 0}, tableTop + Vec3{0, 0.3f, 0}, EaseInOut)};
  // Low along the table, looking up into the lamps.
  shots[1] = {clock.Bar(4), clock.Bar(8),
              Line({1.35f, 0.8f, -1.3f}, {1.25f, 0.85f, 1.6f}, EaseInOut),
              Line({0, 2.0f, -0.2f}, {0.2f, 2.0f, 1.4f}, EaseInOut)};
  // The heart monitor, close.
  const Vec3 traceFront = kTraceMonitor + Rotate(AxisAngle({0, 1, 0}, -0.5f), {0, 0, -1});
  shots[2] = {
      clock.Bar(8), clock.Bar(10),
      Line(traceFront + Vec3{-0.25f, 0.05f, 0}, traceFront + Vec3{0.1f, 0.1f, 0.2f}, Linear),
      Still(kTraceMonitor)};
  // Through the glass screen at the table.
  shots[3] = {clock.Bar(10), clock.Bar(12),
              Line({-3.3f, 1.5f, -1.4f}, {-3.1f, 1.4f, -0.6f}, EaseInOut),
              Line(tableTop, tableTop + Vec3{0, 0, 0.4f}, EaseInOut)};
  // From high at the table's foot, looking down past the lamps, turning.
  shots[4] = {clock.Bar(12), clock.Bar(14),
              Line({0.5f, 2.95f, -1.6f}, {0.1f, 2.9f, -1.2f}, EaseInOut),
              Still(tableTop + Vec3{0, 0, 0.3f})};
  shots[4].roll = [](float p) { return 0.35f * EaseInOut(p); };
  // Up into the lamps' glare.
  shots[5] = {clock.Bar(14), kLength, Line({0.9f, 1.2f, -1.6f}, {0.1f, 1.6f, -0.2f}, EaseIn),
              Still(kLampA)};
  for (CameraShot& shot : shots) {
    shot.fov = 1.05f;
    shot.nearPlane = 0.05f;
    shot.farPlane = 25;
  }
  return shots;
}

}  // namespace

SceneAssembly SurgeryScene() {
  SceneAssembly scene(kLength);
  scene.SetFog(0.25f, 1.4f, {0.72f, 0.8f, 0.78f, 1});
  scene.SetAmbient({0.62f, 0.7f, 0.7f, 1});
  scene.AddMaterial("tiles", "hrn_tiles.png", 0);
  scene.AddMaterial("terrazzo", "hrn_terrazzo.png", 0);
  scene.AddMaterial("steel", "hrn_steel.png", 0);
  scene.AddMaterial("enamel", "hrn_grain.png", 0);
  scene.AddMaterial("cloth", "hrn_grain.png", 0);
  scene.AddMaterial("plastic", "hrn_grain.png", 0);
  scene.AddMaterial("trace_ANIMATED" + std::to_string(kTraceFrames), "hrn_trace1.png",
                    kMaterialAnimatedTexture);
  scene.AddMaterial("scan_ANIMATED" + std::to_string(kScanFrames), "hrn_scan1.png",
                    kMaterialAnimatedTexture);
  scene.AddMaterial("glass", "hrn_glass.png", kMaterialAlphaBlended | kMaterialTwoSided);
  scene.AddMaterial("panel", "hrn_grain.png", kMaterialAdditive);
  scene.AddMaterial("lampface", "hrn_lampface.png", kMaterialAdditive);
  scene.AddMaterial("glare", "hrn_glow.png", kMaterialAdditive | kMaterialTwoSided);
  AddRoom(scene);
  AddTable(scene);
  AddLamp(scene, "LampA", kLampA);
  AddLamp(scene, "LampB", kLampB);
  AddMonitor(scene, "TraceMonitor", "trace_ANIMATED" + std::to_string(kTraceFrames), kTraceMonitor,
             -0.5f);
  AddMonitor(scene, "ScanMonitor", "scan_ANIMATED" + std::to_string(kScanFrames), kScanMonitor,
             0.6f);
  AddGlass(scene);
  scene.AddHelperEntry(7, "RoomTarget");
  AddCameraShots(scene, "Cam", Shots());
  return scene;
}

}  // namespace scenes
