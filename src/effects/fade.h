#pragma once
// CFade covers the screen with one flat colour whose opacity follows the part's progress:
// a fade "to" the colour hides the picture beneath as it runs, a fade "from" the colour
// reveals it. Fades cut between the demo's shots.
#include "demo/part.h"
#include "render/d3d/d3d_types.h"

enum class FadeDirection {
  kToColour,    // opacity rises from 0 to 1 over the part
  kFromColour,  // opacity falls from 1 to 0
};

class CFade : public CPart {
 public:
  // A fade to white; the owner may change `reversed` and `colour` before Init.
  explicit CFade(CDemo* owner);
  CFade(CDemo* owner, FadeDirection direction, D3DCOLOR fadeColour);

  void Init() override;
  void Resize() override;
  // Draws the colour at the progress's opacity. A fade counts no frames, so it logs no
  // frame rate.
  void Render(float progress) override;
  void Release() override;

  bool reversed = false;
  D3DCOLOR colour = 0xFFFFFFFFu;  // its alpha byte is replaced at every frame

 private:
  // Pre-transformed position and diffuse colour.
  struct FadeVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
  };
  FadeVertex quad_[6]{};
};
