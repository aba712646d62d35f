#include "catalog.h"

#include <future>

#include "families.h"

std::vector<ArchiveEntry> BuildArchiveContent() {
  using Family = std::vector<ArchiveEntry> (*)();
  const Family families[] = {MakeSoundtrackEntries, MakeFontEntries,    MakeTerrainEntries,
                             MakeShapeEntries,      MakePictureEntries, MakeSurfaceEntries,
                             MakeSceneEntries};
  std::vector<std::future<std::vector<ArchiveEntry>>> running;
  for (const Family family : families) running.push_back(std::async(std::launch::async, family));
  std::vector<ArchiveEntry> content;
  for (auto& family : running) {
    for (ArchiveEntry& entry : family.get()) content.push_back(std::move(entry));
  }
  return content;
}
