#pragma once
// CScenePart: the timeline part that plays one heron scene from the archive. Init loads the
// scene and builds its render data; each frame maps the part's progress to a scene time
// between sceneStart and sceneEnd (either way round) and draws the scene at that time.
#include <string>

#include "demo/part.h"
#include "scene/scene.h"
#include "scene/scene_renderer.h"

class CScenePart : public CPart {
 public:
  // `sceneName` names the scene's storage in the archive, such as "binary.hrn". noDepth 1
  // draws without depth buffering. A sceneEnd of 0 stands for the animation's end.
  CScenePart(CDemo* demo, std::string sceneName, int noDepth, float sceneStart, float sceneEnd);
  CScenePart(CDemo* demo, std::string sceneName);
  ~CScenePart() override;

  // Throws demoError when the scene's storage cannot be opened or the scene not loaded.
  void Init() override;
  // Also makes the clear colour black.
  void Start() override;
  void Render(float progress) override;
  void Rewind() override;
  // Hands the scene's textures back and empties the scene.
  void Release() override;

  const CScene& Scene() const { return scene_; }

  std::string sceneName;
  int noDepth;
  float sceneStart;  // scene time at progress 0
  float sceneEnd;    // scene time at progress 1

 private:
  CScene scene_;
  CSceneRenderer renderer_;
};
