#pragma once
// How each texture format of the utility library is held in OpenGL. A format binds as a
// meaning: the pixels are reduced to the format's precision on the CPU, with rounding,
// and stored in an internal format that keeps at least that precision; formats without
// alpha are stored without it, so that they read alpha 1 however they are filled.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <span>
#include <vector>

#include "render/d3d/d3d_types.h"

// The layout pixels are uploaded in.
enum class PixelPacking {
  kArgb8888,  // uint32 0xAARRGGBB, as loaded
  kRgb565,    // uint16 rrrrrggg gggbbbbb
  kArgb1555,  // uint16 arrrrrgg gggbbbbb
  kArgb4444,  // uint16 aaaarrrr ggggbbbb
};

struct GlTextureFormat {
  D3DX_SURFACEFORMAT format;  // what the texture reports
  GLenum internalFormat;
  PixelPacking packing;
};

// The format and type arguments of glTexImage2D for pixels in `packing`.
struct UploadLayout {
  GLenum format, type;
};
UploadLayout LayoutOf(PixelPacking packing);

// The format a texture of `requested` gets; null for a value that names no format.
// D3DX_SF_UNKNOWN gets ARGB 8888; the palettised formats, which no device has, get RGB 565.
const GlTextureFormat* ChooseTextureFormat(D3DX_SURFACEFORMAT requested);

// `argb` reduced to the 16-bit layout `packing` (not kArgb8888).
std::vector<uint16_t> PackPixels(PixelPacking packing, std::span<const uint32_t> argb);
