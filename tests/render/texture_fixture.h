#pragma once
// For tests of textures: a live context (ContextFixture) plus texture creation and the
// read-back of a texture's levels as OpenGL holds them.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <vector>

#include "support/context_fixture.h"
#include "render/d3dx/d3dx_texture.h"

// One level of a texture, row 0 (texture row 0, t = 0) first.
template <typename Pixel>
struct TextureLevel {
  std::vector<Pixel> pixels;
  GLint width = 0, height = 0;
  Pixel At(GLint x, GLint y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

class TextureFixture : public ContextFixture {
 protected:
  void TearDown() override;

  // Creates a texture the fixture releases; fails the test (and returns null) on error.
  IDirectDrawSurface7* MakeTexture(DWORD width, DWORD height, D3DX_SURFACEFORMAT format,
                                   DWORD mipLevels = 1);
  // Loads `pixels` (width x height, tightly packed) into `level` of `texture`, whole.
  HRESULT Load(IDirectDrawSurface7* texture, DWORD level, const std::vector<uint32_t>& pixels);

  // The level as 0xAARRGGBB.
  static TextureLevel<uint32_t> ReadLevel(IDirectDrawSurface7* texture, DWORD level);
  // The level in a 16-bit layout, to see the stored precision exactly.
  static TextureLevel<uint16_t> ReadPackedLevel(IDirectDrawSurface7* texture, DWORD level,
                                                GLenum format, GLenum type);

 private:
  std::vector<IDirectDrawSurface7*> textures_;
};
