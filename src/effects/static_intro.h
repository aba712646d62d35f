#pragma once
// CStaticIntro opens the demo: a full-screen field of flickering television static over
// which a series of pictures fades in and out, each at its own place and shaking slightly.
#include "demo/part.h"
#include "effects/screen_quad.h"
#include "render/d3d/d3d_types.h"

class CStaticIntro : public CPart {
 public:
  explicit CStaticIntro(CDemo* owner);
  // Gives back the textures Init took, unless Release already did.
  ~CStaticIntro() override;

  // Loads the static and every picture, without mip-maps.
  void Init() override;
  // Rebuilds the static's quad for the current screen size and texture window.
  void Resize() override;
  void Render(float progress) override;
  void Release() override;

  // The static's texture window: one whole repeat at a random offset, chosen every frame.
  float uLeft = 0, uRight = 0, vTop = 0, vBottom = 0;

 private:
  // Pre-transformed position and one texture coordinate pair.
  struct NoiseVertex {
    float x, y, z, rhw;
    float u, v;
  };

  void DrawNoise();
  void DrawPictures(float progress);

  NoiseVertex noiseQuad_[6]{};
  ScreenQuad pictureQuad_{};
  bool holdsTextures_ = false;
};
