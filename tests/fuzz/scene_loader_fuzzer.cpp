// Fuzzes the heron scene loader over a storage held in memory: the input is the storage's
// streams (see ReadSceneStreams). A scene that loads must save to streams that load again
// and save the same, and a scene that fails to load must be left empty.
#include <cstdint>
#include <set>
#include <string>

#include "fuzz_input.h"
#include "memory_storage.h"
#include "scene/scene.h"

namespace {

HRESULT LoadFrom(std::vector<SceneStream> streams, CScene& scene) {
  MemoryStorage storage(std::move(streams));
  return scene.Load(&storage);
}

// Each node and material is saved as the stream of its name, so a scene in which two share
// a name (which loads, both reading the one stream) saves streams that cannot be told
// apart. Such a scene is loaded but not expected to survive a save.
bool NamesAreDistinct(const std::vector<SceneStream>& saved) {
  std::set<std::string> names;
  for (const SceneStream& stream : saved) {
    if (!names.insert(stream.first).second) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  CScene scene;
  if (FAILED(LoadFrom(ReadSceneStreams(input), scene))) {
    if (!scene.nodes.empty() || !scene.materials.empty() || !scene.animator.tracks.empty()) {
      FuzzContractBroken("a scene that failed to load is not empty");
    }
    return 0;
  }
  const std::vector<SceneStream> saved = scene.Save();
  if (!NamesAreDistinct(saved)) return 0;
  CScene again;
  if (FAILED(LoadFrom(saved, again))) FuzzContractBroken("a saved scene does not load");
  if (again.Save() != saved) FuzzContractBroken("a scene saves differently");
  return 0;
}
