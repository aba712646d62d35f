#include "families.h"
#include "scenes/heron_scenes.h"

std::vector<ArchiveEntry> MakeSceneEntries() {
  std::vector<ArchiveEntry> entries = scenes::SceneTextures();
  for (const scenes::HeronScene& heron : scenes::HeronScenes()) {
    entries.push_back(heron.build().ToStorage(heron.storageName));
  }
  return entries;
}
