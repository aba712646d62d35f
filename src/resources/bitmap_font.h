#pragma once
// The demo's bitmap font of lower-case letters: a 256 x 128 coverage image from the
// archive becomes the texture "bwfont", and DrawString lays a string out across a box
// given in fractions of the screen, as additively blended screen-space quads.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "render/d3d/device.h"
#include "resources/archive.h"
#include "resources/texture_manager.h"

// The font image's size, in texels.
constexpr DWORD kFontImageWidth = 256;
constexpr DWORD kFontImageHeight = 128;

// Where a letter lies in the font image, in texels.
struct GlyphPlacement {
  char letter;
  int x, y, width, height;
};
// The sixteen letters the font has; the other ten have no glyph.
std::span<const GlyphPlacement> FontGlyphPlacements();

// One letter's rectangle in the font texture.
struct GlyphRect {
  float uMin, vMin, uMax, vMax;
};

class BitmapFont {
 public:
  // The font draws with `device` and `textures`, on a screen whose size is read from
  // `screenWidth` and `screenHeight` at every draw (they follow the window).
  BitmapFont(IDirect3DDevice7* device, CTextureManager* textures, const uint32_t& screenWidth,
             const uint32_t& screenHeight);

  // Reads "bwfont.raw" from `archive`, makes the texture and the glyph table. Throws
  // demoError when the entry is missing or not a whole 256 x 128 image.
  void LoadFont(IStorage* archive);
  // Lets go of the texture and the glyph table.
  void FreeFont();
  // Draws `text` (lower-case letters and spaces; anything else is skipped) in `colour`
  // (ARGB) so that it fills the box (x, y, width, height), in fractions of the screen.
  void DrawString(const std::string& text, DWORD colour, float x, float y, float width,
                  float height);

  // Index = letter - 'a'; letters the font lacks have an all-zero rectangle.
  const std::vector<GlyphRect>& glyphs() const { return glyphs_; }

 private:
  // The glyph of `character`, or null for anything but a lower-case letter.
  const GlyphRect* GlyphOf(char character) const;
  void SetDrawingStates();

  IDirect3DDevice7* device_;
  CTextureManager* textures_;
  const uint32_t& screenWidth_;
  const uint32_t& screenHeight_;
  std::vector<GlyphRect> glyphs_;
};
