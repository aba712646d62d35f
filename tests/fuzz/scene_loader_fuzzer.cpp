// Fuzzes the heron scene loader over a storage held in memory: the input is the storage's
// streams (see ReadSceneStreams). A scene that loads must save to streams that load again
// and save the same, and a scene that fails to load must be left empty.
#include <cstdint>

#include "fuzz_input.h"
#include "memory_storage.h"
#include "scene/scene.h"

namespace {

HRESULT LoadFrom(std::vector<SceneStream> streams, CScene& scene) {
  MemoryStorage storage(std::move(streams));
  return scene.Load(&storage);
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
  CScene again;
  if (FAILED(LoadFrom(saved, again))) FuzzContractBroken("a saved scene does not load");
  if (again.Save() != saved) FuzzContractBroken("a scene saves differently");
  return 0;
}
