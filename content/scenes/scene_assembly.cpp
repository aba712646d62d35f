#include "scenes/scene_assembly.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace scenes {
namespace {

// Compound-file entry names hold at most 31 characters.
constexpr size_t kLongestName = 31;

void Place(CSceneNode& node, const Placement& placement) {
  node.position = ToD3D(placement.translation);
  node.rotation = ToD3D(placement.rotation);
  node.scale = ToD3D(placement.scale);
}

}  // namespace

SceneAssembly::SceneAssembly(float endTime) {
  scene_.animator.startTime = 0;
  scene_.animator.endTime = endTime;
}

void SceneAssembly::SetFog(float start, float end, ColourValue colour) {
  scene_.fogEnabled = 1;
  scene_.fogStart = start;
  scene_.fogEnd = end;
  scene_.fogColour = colour;
}

void SceneAssembly::SetAmbient(ColourValue ambient) {
  scene_.header[0] = ambient.r;
  scene_.header[1] = ambient.g;
  scene_.header[2] = ambient.b;
  scene_.header[3] = ambient.a;
}

void SceneAssembly::AddMaterial(const std::string& name, const std::string& texture,
                                uint32_t flags) {
  ClaimName(name);
  CMaterial material;
  material.name = name;
  material.textureName = texture;
  // Ambient, diffuse and specular as the tool exports them, with shininess and opacity.
  material.colours[0] = {0.2f, 0.2f, 0.2f, 1};
  material.colours[1] = {0.8f, 0.8f, 0.8f, 1};
  material.colours[2] = {0.9f, 0.9f, 0.9f, 1};
  material.value4 = 0.25f;
  material.value5 = (flags & kMaterialAlphaBlended) != 0 ? 0.5f : 1.0f;
  material.flags = flags;
  scene_.materials.push_back(material);
}

CGeomObject& SceneAssembly::AddMesh(const std::string& name, const std::string& material,
                                    const Mesh& mesh, const Placement& placement) {
  return AddMorphingMesh(name, material, {mesh}, {0}, placement);
}

CGeomObject& SceneAssembly::AddMorphingMesh(const std::string& name, const std::string& material,
                                            const std::vector<Mesh>& frames,
                                            const std::vector<float>& frameTimes,
                                            const Placement& placement) {
  auto& node = AddNode<CGeomObject>(name);
  node.materialName = material;
  Place(node, placement);
  for (const Mesh& frame : frames) {
    node.frames.push_back(ToMeshFrame(frame));
    node.radius = std::max(node.radius, node.frames.back().radius);
  }
  node.frameTimes = frameTimes;
  return node;
}

CCamera& SceneAssembly::AddCamera(const std::string& name, float fov, float nearPlane,
                                  float farPlane) {
  auto& camera = AddNode<CCamera>(name);
  camera.fov = fov;
  camera.nearPlane = nearPlane;
  camera.farPlane = farPlane;
  return camera;
}

CLight& SceneAssembly::AddLight(const std::string& name, Vec3 position, ColourValue colour,
                                float range) {
  auto& light = AddNode<CLight>(name);
  light.position = ToD3D(position);
  // Colour, then intensity and the attenuation range, then the direction it points.
  const float values[10] = {colour.r, colour.g, colour.b, 1, 0, 0, range, 0, -1, 0};
  std::copy(std::begin(values), std::end(values), light.values);
  return light;
}

CNURBWave& SceneAssembly::AddWave(const std::string& name, const std::string& material,
                                  float diameter, float waveHeight, const Placement& placement) {
  auto& wave = AddNode<CNURBWave>(name);
  wave.materialName = material;
  Place(wave, placement);
  wave.radius = diameter / 2 + waveHeight;
  wave.SetFloatParameter(0, diameter);
  wave.SetFloatParameter(1, diameter);
  wave.SetFloatParameter(2, waveHeight);
  return wave;
}

CParticleSystem& SceneAssembly::AddParticles(const std::string& name, const std::string& material,
                                             const ParticleBox& box, const Placement& placement) {
  auto& particles = AddNode<CParticleSystem>(name);
  particles.materialName = material;
  Place(particles, placement);
  particles.radius =
      std::sqrt(box.width * box.width / 4 + box.height * box.height + box.depth * box.depth / 4);
  particles.SetFloatParameter(0, box.width);
  particles.SetFloatParameter(1, box.height);
  particles.SetFloatParameter(2, box.depth);
  particles.SetFloatParameter(3, box.gravity);
  particles.SetIntegerParameter(4, box.count);
  particles.SetFloatParameter(5, box.size);
  return particles;
}

void SceneAssembly::AddHelperEntry(uint32_t type, const std::string& name) {
  if (type == kGeomObjectNode || type == kLightNode || type == kCameraNode || type == kWaveNode ||
      type == kParticleSystemNode) {
    throw std::invalid_argument("a helper entry needs a type the scene system skips");
  }
  ClaimName(name);
  scene_.skippedEntries.push_back({scene_.nodes.size() + scene_.skippedEntries.size(), type, name});
}

NodeTrack& SceneAssembly::Track(const std::string& name) { return scene_.animator.tracks[name]; }

ArchiveEntry SceneAssembly::ToStorage(const std::string& storageName) const {
  std::vector<ArchiveEntry> streams;
  for (auto& [name, bytes] : scene_.Save()) streams.push_back(StreamEntry(name, bytes));
  return StorageEntry(storageName, std::move(streams));
}

void SceneAssembly::ClaimName(const std::string& name) {
  if (name.empty() || name.size() > kLongestName || name[0] == '.' || !names_.insert(name).second) {
    throw std::invalid_argument("scene entry name unusable or taken: " + name);
  }
}

template <typename Node>
Node& SceneAssembly::AddNode(const std::string& name) {
  ClaimName(name);
  auto node = std::make_unique<Node>();
  node->name = name;
  Node& added = *node;
  scene_.nodes.push_back(std::move(node));
  return added;
}

}  // namespace scenes
