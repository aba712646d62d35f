#include "scene/scene_part.h"

#include <utility>

#include "base/demo_error.h"
#include "demo/demo.h"
#include "resources/archive.h"
#include "resources/data_archive.h"

namespace {

// The archive and the scene's storage in it, released however Init ends.
struct OpenStorages {
  ~OpenStorages() {
    SafeRelease(scene);
    SafeRelease(root);
  }
  IStorage* root = nullptr;
  IStorage* scene = nullptr;
};

}  // namespace

CScenePart::CScenePart(CDemo* owner, std::string scene, int depthOff, float start, float end)
    : CPart(owner),
      sceneName(std::move(scene)),
      noDepth(depthOff),
      sceneStart(start),
      sceneEnd(end) {}

CScenePart::CScenePart(CDemo* owner, std::string scene)
    : CScenePart(owner, std::move(scene), 0, 0.0f, 0.0f) {}

CScenePart::~CScenePart() { Release(); }

void CScenePart::Init() {
  OpenStorages storages;
  HRESULT result = OpenDataArchive(&storages.root);
  if (SUCCEEDED(result)) {
    result =
        OpenArchiveStorage(ArchiveEntryName(sceneName).c_str(), storages.root, &storages.scene);
  }
  if (FAILED(result)) throw demoError("Could not open heron storage: " + ErrorText(result));
  result = scene_.Load(storages.scene);
  if (FAILED(result)) throw demoError("Could not load heron scene: " + ErrorText(result));

  renderer_.SetTextureManager(demo->textures());
  renderer_.Build(scene_);
  for (const std::unique_ptr<CSceneNode>& node : scene_.nodes) node->AfterBuild();
  if (sceneEnd == 0.0f) sceneEnd = scene_.animator.endTime;
}

void CScenePart::Start() {
  CPart::Start();
  if (demo->context() != nullptr) demo->context()->SetClearColor(0);
}

void CScenePart::Render(float progress) {
  CPart::Render(progress);
  const float time = sceneStart + (sceneEnd - sceneStart) * progress;
  renderer_.Update(time);
  renderer_.Render(time, noDepth);
}

void CScenePart::Rewind() { renderer_.Rewind(); }

void CScenePart::Release() {
  renderer_.Release();
  scene_.Clear();
}
