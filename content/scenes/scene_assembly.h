#pragma once
// Builds a heron scene in memory (materials, nodes, tracks) and saves it into the archive
// storage the scene part opens.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "archive_entry.h"
#include "scene/scene.h"
#include "scenes/mesh.h"

namespace scenes {

struct ParticleBox {
  float width = 1, height = 1, depth = 1;  // x: -w/2..w/2, y: 0..h, z: -d/2..d/2
  float gravity = 0;
  uint32_t count = 0;
  float size = 1;
};

class SceneAssembly {
 public:
  // An empty scene whose animation ends at `endTime` seconds, without fog.
  explicit SceneAssembly(float endTime);

  // Linear fog from `start` to `end`, fractions of the active camera's near..far range.
  void SetFog(float start, float end, ColourValue colour);
  // Stored in the scene header (nothing draws with it): the ambient light it was lit with.
  void SetAmbient(ColourValue ambient);

  // A material; `flags` are the scene format's material flags. An animated texture names
  // its first frame ("stem1.png") and the material name ends in "_ANIMATED<frames>".
  void AddMaterial(const std::string& name, const std::string& texture, uint32_t flags);

  // A static mesh, or a vertex-animated one reaching frames[i] at frameTimes[i].
  CGeomObject& AddMesh(const std::string& name, const std::string& material, const Mesh& mesh,
                       const Placement& placement = {});
  CGeomObject& AddMorphingMesh(const std::string& name, const std::string& material,
                               const std::vector<Mesh>& frames,
                               const std::vector<float>& frameTimes,
                               const Placement& placement = {});
  CCamera& AddCamera(const std::string& name, float fov, float nearPlane, float farPlane);
  // A light as the modelling tool exports it; nothing draws with it.
  CLight& AddLight(const std::string& name, Vec3 position, ColourValue colour, float range);
  // A rippling disc of diameter `diameter` (before the renderer's 0.982) in the node's xz plane.
  CNURBWave& AddWave(const std::string& name, const std::string& material, float diameter,
                     float waveHeight, const Placement& placement);
  CParticleSystem& AddParticles(const std::string& name, const std::string& material,
                                const ParticleBox& box, const Placement& placement);
  // A node-list entry of a type the scene system does not know (the tool's helpers, type 2
  // for example); the loader reads and drops it.
  void AddHelperEntry(uint32_t type, const std::string& name);

  // The track of node `name`, made empty on first use.
  NodeTrack& Track(const std::string& name);

  const CScene& scene() const { return scene_; }
  // The storage entry `storageName` holding the saved scene's streams.
  ArchiveEntry ToStorage(const std::string& storageName) const;

 private:
  // Checks that `name` can name a stream of its own in the storage.
  void ClaimName(const std::string& name);
  template <typename Node>
  Node& AddNode(const std::string& name);

  CScene scene_;
  std::set<std::string> names_;
};

}  // namespace scenes
