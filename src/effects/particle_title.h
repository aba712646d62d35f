#pragma once
// CParticleTitle plays the title scene in steps locked to the music (at each key a 20-frame
// segment in 0.1 of the part, then a hold until the next key) and opens with a swirl of
// eight spiral arms of glowing flare sprites sweeping across the picture.
#include "demo/part.h"
#include "render/d3d/device.h"
#include "scene/scene_part.h"

// The sprites of the swirl: 8 arms of 160 squares of 6 vertices.
constexpr DWORD kTitleSwirlVertices = 7680;

class CParticleTitle : public CPart {
 public:
  explicit CParticleTitle(CDemo* owner);
  // Releases what Init took, unless Release already did.
  ~CParticleTitle() override;

  // Makes the sprite buffer (throws demoError when it cannot), loads the flare and the
  // title scene.
  void Init() override;
  void Render(float progress) override;
  void Rewind() override;
  void Release() override;

  DWORD vertexCount = 0;  // of the sprite buffer: kTitleSwirlVertices once made

 private:
  void DrawSwirl(float progress);

  CScenePart scene_;
  IDirect3DVertexBuffer7* sprites_ = nullptr;
  bool holdsFlare_ = false;  // a use of the flare texture, given back once
};

// The title scene's progress at the part's progress `t`: the segment of the last key at or
// before t plays over 0.1 and then holds; before the first key the scene stands at its
// start.
float TitleSceneProgress(float t);
