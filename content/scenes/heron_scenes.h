#pragma once
// The demo's heron scenes and the textures their materials name.
#include <vector>

#include "archive_entry.h"
#include "scenes/scene_assembly.h"

namespace scenes {

struct HeronScene {
  const char* storageName;  // the archive storage the scene part opens
  SceneAssembly (*build)();
};

// Every scene, in the order they play.
const std::vector<HeronScene>& HeronScenes();

// The textures of all scenes, as PNG streams ("hrn_..." names).
std::vector<ArchiveEntry> SceneTextures();

// Frames of the animated monitor screens: "hrn_trace1.png".. and "hrn_scan1.png"..
constexpr int kTraceFrames = 16;
constexpr int kScanFrames = 8;

SceneAssembly BinaryScene();
SceneAssembly TitleScene();
SceneAssembly StairsScene();
SceneAssembly WeirdScene();
SceneAssembly SurgeryScene();
SceneAssembly PeopleScene();
SceneAssembly PitScene();
SceneAssembly GreetsScene();
SceneAssembly EndScene();

}  // namespace scenes
