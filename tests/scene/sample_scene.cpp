#include "sample_scene.h"

#include <algorithm>
#include <stdexcept>

#include "memory_storage.h"
#include "support/compound_file.h"
#include "support/temp_dir.h"

namespace {

constexpr std::string_view kStorageName = "sample.hrn";

MeshFrame Quad(float height) {
  MeshFrame frame;
  frame.positions = {{-1, height, -1}, {1, height, -1}, {1, height, 1}, {-1, height, 1}};
  frame.vectors = {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}};
  frame.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  frame.colours = {{1, 1, 1, 1}, {1, 0.5f, 0.25f, 1}, {0, 0, 1, 0.5f}, {0.25f, 0.75f, 0, 1}};
  frame.faces = {{0, 1, 2}, {0, 2, 3}};
  frame.radius = 1.5f + height;
  return frame;
}

void Place(CSceneNode& node, float offset) {
  node.position = {offset, 2 * offset, -offset};
  node.scale = {1, 2, 3};
  node.rotation = {0, 0.6f, 0, 0.8f};
  node.radius = 4 + offset;
  node.pivot = {0.5f, 0, -0.5f};
}

std::unique_ptr<CSceneNode> Mesh() {
  auto mesh = std::make_unique<CGeomObject>();
  mesh->name = "hull";
  Place(*mesh, 1);
  mesh->materialName = "metal";
  mesh->frames = {Quad(0), Quad(1)};
  mesh->frameTimes = {0, 2.5f};
  return mesh;
}

std::unique_ptr<CSceneNode> Lamp() {
  auto light = std::make_unique<CLight>();
  light->name = "lamp";
  Place(*light, 2);
  for (int i = 0; i < 10; ++i) light->values[i] = 0.125f * static_cast<float>(i);
  return light;
}

std::unique_ptr<CSceneNode> Camera() {
  auto camera = std::make_unique<CCamera>();
  camera->name = "Camera01";
  camera->position = {0, 5, -20};
  camera->rotation = {0.1f, 0, 0, 0.995f};
  camera->fov = 0.9f;
  camera->nearPlane = 2;
  camera->farPlane = 800;
  return camera;
}

std::unique_ptr<CSceneNode> Wave() {
  auto wave = std::make_unique<CNURBWave>();
  wave->name = "pool";
  Place(*wave, 3);
  wave->materialName = "water_ANIMATED4";
  wave->SetFloatParameter(0, 40);
  wave->SetFloatParameter(2, 1.5f);
  wave->SetIntegerParameter(4, 0xDEADBEEF);
  return wave;
}

std::unique_ptr<CSceneNode> Sparks() {
  auto sparks = std::make_unique<CParticleSystem>();
  sparks->name = "sparks";
  Place(*sparks, 4);
  sparks->materialName = "metal";
  for (int i = 0; i < 4; ++i) sparks->SetFloatParameter(i, 2 + static_cast<float>(i));
  sparks->SetIntegerParameter(4, 300);
  sparks->SetFloatParameter(5, 0.25f);
  return sparks;
}

CMaterial Material(std::string name, std::string texture, uint32_t flags) {
  CMaterial material;
  material.name = std::move(name);
  material.textureName = std::move(texture);
  material.colours[0] = {0.1f, 0.2f, 0.3f, 1};
  material.colours[1] = {1, 1, 1, 1};
  material.colours[2] = {0, 0, 0, 0.5f};
  material.value4 = 10;
  material.value5 = 0.75f;
  material.flags = flags;
  return material;
}

CAnimator Tracks() {
  CAnimator animator;
  animator.startTime = 0;
  animator.endTime = 12;
  NodeTrack& camera = animator.tracks["Camera01"];
  camera.positionKeys = {{0, {0, 5, -20}, {1, 0, 0}, {0, 1, 0}}, {6, {10, 5, -10}, {}, {}}};
  camera.rotationKeys = {{0, {0, 0, 0, 1}, {0, 0, 0, 1}, {}},
                         {6, {0, 0.6f, 0, 0.8f}, {0, 0.6f, 0, 0.8f}, {}}};
  NodeTrack& hull = animator.tracks["hull"];
  hull.scaleKeys = {{1, {1, 1, 1}, {}, {}}, {3, {2, 2, 2}, {}, {}}, {5, {1, 1, 1}, {}, {}}};
  animator.tracks["nobody"].positionKeys = {{0, {1, 2, 3}, {}, {}}};
  return animator;
}

HRESULT OpenStorageFile(const std::string& fileName, IStorage** storage) {
  IStorage* root = nullptr;
  HRESULT result = OpenArchive(ArchiveEntryName(fileName).c_str(), &root);
  if (SUCCEEDED(result)) {
    result = OpenArchiveStorage(ArchiveEntryName(kStorageName).c_str(), root, storage);
  }
  SafeRelease(root);
  return result;
}

}  // namespace

CScene SampleScene() {
  CScene scene;
  scene.header[0] = 1;
  scene.header[1] = -2;
  scene.header[3] = 0.5f;
  scene.fogEnabled = 1;
  scene.fogStart = 0.25f;
  scene.fogEnd = 0.9f;
  scene.fogColour = {0.1f, 0.1f, 0.2f, 1};
  scene.materials.push_back(Material("metal", "steel.png", kMaterialTwoSided));
  scene.materials.push_back(
      Material("water_ANIMATED4", "", kMaterialAlphaBlended | kMaterialAnimatedTexture));
  scene.nodes.push_back(Mesh());
  scene.nodes.push_back(Lamp());
  scene.nodes.push_back(Camera());
  scene.nodes.push_back(Wave());
  scene.nodes.push_back(Sparks());
  scene.skippedEntries = {{1, 2, "helper"}, {4, 7, "bone"}};
  scene.animator = Tracks();
  return scene;
}

HRESULT LoadThroughCompoundFile(const std::vector<SceneStream>& streams, CScene& scene) {
  TempDir directory;
  CompoundFileBuilder builder;
  builder.AddStorage(kStorageName);
  for (const auto& [name, bytes] : streams) {
    builder.AddStream(std::string(kStorageName) + "/" + name, bytes);
  }
  const std::string fileName = directory.File("scene.cf");
  if (!builder.Write(fileName)) return E_FAIL;
  IStorage* storage = nullptr;
  HRESULT result = OpenStorageFile(fileName, &storage);
  if (SUCCEEDED(result)) result = scene.Load(storage);
  SafeRelease(storage);
  return result;
}

HRESULT LoadFromMemory(const std::vector<SceneStream>& streams, CScene& scene) {
  MemoryStorage storage(streams);
  return scene.Load(&storage);
}

bool IsShortfallResult(HRESULT result) {
  return result == RECORD_E_TRUNCATED || result == RECORD_E_COUNTTOOLARGE ||
         result == RECORD_E_NAMETOOLONG;
}

std::vector<uint8_t>& StreamBytes(std::vector<SceneStream>& streams, std::string_view name) {
  for (SceneStream& stream : streams) {
    if (stream.first == name) return stream.second;
  }
  throw std::invalid_argument("no stream " + std::string(name));
}

std::vector<SceneStream> WithoutStream(std::vector<SceneStream> streams, std::string_view name) {
  std::erase_if(streams, [name](const SceneStream& stream) { return stream.first == name; });
  return streams;
}
