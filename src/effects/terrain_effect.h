#pragma once
// CTerrainEffect flies a camera low along a valley of a heightmapped landscape under a
// turning cloud dome, with a translucent picture strip scrolling down each side of the
// screen.
#include <vector>

#include "demo/part.h"
#include "effects/height_field.h"
#include "effects/sky_dome.h"

class CTerrainEffect : public CPart {
 public:
  explicit CTerrainEffect(CDemo* owner);
  // Gives back what Init took, unless Release already did.
  ~CTerrainEffect() override;

  // Builds the landscape (throws demoError "Error loading terrain.: ..." when it cannot),
  // loads the textures, takes the camera path, builds the sky (throws "Error creating
  // sky.: ...") and lays out the strips.
  void Init() override;
  // Lays the strips out for the current screen size, at the part's start.
  void Resize() override;
  void Render(float progress) override;
  void Release() override;

  CHeightField landscape;
  CSkyDome sky;
  std::vector<D3DVECTOR> eyes;     // the camera's path: eye positions
  std::vector<D3DVECTOR> targets;  // and the points it looks at

  // Pre-transformed position and one texture coordinate pair.
  struct StripVertex {
    float x, y, z, rhw;
    float u, v;
  };
  // The two strips, two triangles each: the left one at the screen's left edge, the right
  // one the left turned by half a turn.
  StripVertex strips[12]{};

 private:
  // The strips at progress `t`: the picture scrolls one length along them over the part.
  void LayOutStrips(float t);
  void PlaceCamera(float t) const;
  void DrawLandscape() const;
  void DrawSky(float t) const;
  void DrawStrips() const;

  bool holdsTextures_ = false;
};
