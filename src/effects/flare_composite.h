#pragma once
// CFlareComposite fills the screen with a flickering background picture, sends 128 dark
// flare sprites flying out from the centre along random rays, growing as they leave it, and
// draws the environment-mapped blobs over them. Its own drawing is all in screen pixels.
#include <array>

#include "demo/part.h"
#include "effects/env_map_effect.h"
#include "render/d3d/device.h"

inline constexpr int kFlareCount = 128;
// The flare buffer: a fixed sprite at the centre, then one sprite per flare, 6 vertices each.
inline constexpr DWORD kFlareBufferVertices = 6 + 6 * kFlareCount;

// Pre-transformed position and one texture coordinate pair.
struct FlareVertex {
  float x, y, z, rhw;
  float u, v;
};
constexpr DWORD kFlareVertexFormat = D3DFVF_XYZRHW | D3DFVF_TEX1;

// A flare's size as a fraction of the largest, from its place on a `width` x `height`
// screen: 0 at the centre, 1 at a corner.
float FlareScale(float x, float y, DWORD width, DWORD height);

class CFlareComposite : public CPart {
 public:
  // A flare's place and velocity, in screen pixels and pixels per unit of part time.
  struct Flare {
    D3DVECTOR position;
    D3DVECTOR velocity;
  };

  explicit CFlareComposite(CDemo* owner);
  // Gives back the textures, unless Release already did, and the flare buffer.
  ~CFlareComposite() override;

  // Loads the pictures and the blobs, makes the flare buffer (throws demoError when it
  // cannot) and scatters the flares along their rays.
  void Init() override;
  void Resize() override;
  // The flares go back to where Init scattered them, and the shared time to 0.
  void Rewind() override;
  // Moves the flares on by the part time since the last frame of any flare part.
  void Render(float t) override;
  // Gives back the textures and the blobs'; the flare buffer lives as long as the part.
  void Release() override;

  const std::array<Flare, kFlareCount>& Flares() const { return flares_; }

  // The t of the latest frame of any instance (0 before the first), so that a later
  // instance continues the motion where the previous one stopped.
  static float previousTime;

 private:
  void DrawBackground(float t);
  void DrawFlares(float elapsed);
  // The fixed centre sprite, and every flare's sprite as a point at the centre.
  void WriteStartingSprites();
  // Sends `flare` off from the centre along a new random ray.
  void Launch(Flare& flare) const;

  CEnvMapEffect blobs_;
  IDirect3DVertexBuffer7* flareBuffer_ = nullptr;
  std::array<Flare, kFlareCount> flares_{};
  std::array<Flare, kFlareCount> scattered_{};  // the flares as Init left them
  bool holdsTextures_ = false;
};
