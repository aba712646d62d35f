#pragma once
// CDnaEffect draws a twisting double helix of two shaded, textured tubes. The helix is
// rasterised on the processor, one pixel row at a time, into a 128 x 256 picture that is
// uploaded into a texture every frame and shown as a blended panel over the right 40 % of
// the screen. Pixels that no tube covers stay fully transparent. It is a member of the
// closing composite, which drives it; it counts no frames.
#include <array>
#include <cstdint>
#include <vector>

#include "demo/part.h"
#include "render/d3d/device.h"

constexpr int kDnaPanelWidth = 128;   // pixels
constexpr int kDnaPanelHeight = 256;  // pixels, one per texture row of the tube skin
constexpr int kDnaSkinSide = 256;     // "dnatex.raw" is this many bytes square
constexpr int kDnaSectionPoints = 7;  // corners of a tube's cross-section

// A corner of the tube's cross-section: its offset from the tube's centre line in pixels,
// its outward normal and the skin column it shows.
struct DnaSectionPoint {
  float x, y;
  float nx, ny;
  int32_t u;
};

// A cross-section corner placed on a pixel row: its column, skin column and diffuse shade
// (0..1).
struct DnaSpanPoint {
  int x;
  int u;
  float shade;
};

// The cross-section: seven corners at 6/7 radian steps, 15 pixels from the centre.
const std::array<DnaSectionPoint, kDnaSectionPoints>& DnaCrossSection();
// The sharp highlight added to a shade s: entry trunc(s x 255) is 255 s^10.
const std::array<uint8_t, 256>& DnaHighlight();

// Fills pixel row `pixelRow` (kDnaPanelWidth words) from column `start.x` to `end.x`
// inclusive with opaque greys: the skin's texel in `skinRow` times the shade, plus the
// highlight, saturated at white. Nothing is drawn unless start.x < end.x, so edges that
// face away leave the row as it was.
void FillDnaSpan(const DnaSpanPoint& start, const DnaSpanPoint& end, const uint8_t* skinRow,
                 uint32_t* pixelRow);

// Rasterises the helix at progress `t` into `pixels` (kDnaPanelWidth x kDnaPanelHeight ARGB
// words), clearing them to transparent black first; `skin` is the 256 x 256 tube skin.
void DrawDnaHelix(float t, const uint8_t* skin, uint32_t* pixels);

class CDnaEffect : public CPart {
 public:
  explicit CDnaEffect(CDemo* owner);
  ~CDnaEffect() override;

  // Creates the panel's texture and reads "dnatex.raw"; throws demoError when either
  // cannot be had.
  void Init() override;
  // Draws the helix for `t`, the fraction of the owner's window elapsed, and shows it.
  void Render(float t) override;
  void Release() override;

 private:
  void DrawPanel();

  IDirectDrawSurface7* texture_ = nullptr;
  std::vector<uint8_t> skin_;
  std::vector<uint32_t> pixels_;
};
