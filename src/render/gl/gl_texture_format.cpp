#include "render/gl/gl_texture_format.h"

#include <array>

namespace {

// Indexed by the requested format's value.
constexpr std::array<GlTextureFormat, 11> kFormats = {{
    {D3DX_SF_A8R8G8B8, GL_RGBA8, PixelPacking::kArgb8888},  // unknown: the library's choice
    {D3DX_SF_R8G8B8, GL_RGB8, PixelPacking::kArgb8888},
    {D3DX_SF_A8R8G8B8, GL_RGBA8, PixelPacking::kArgb8888},
    {D3DX_SF_X8R8G8B8, GL_RGB8, PixelPacking::kArgb8888},
    {D3DX_SF_R5G6B5, GL_RGB565, PixelPacking::kRgb565},
    {D3DX_SF_R5G5B5, GL_RGB5, PixelPacking::kArgb1555},
    {D3DX_SF_R5G6B5, GL_RGB565, PixelPacking::kRgb565},  // palette 4
    {D3DX_SF_R5G6B5, GL_RGB565, PixelPacking::kRgb565},  // palette 8
    {D3DX_SF_A1R5G5B5, GL_RGB5_A1, PixelPacking::kArgb1555},
    {D3DX_SF_X4R4G4B4, GL_RGB4, PixelPacking::kArgb4444},
    {D3DX_SF_A4R4G4B4, GL_RGBA4, PixelPacking::kArgb4444},
}};

// The 8-bit channel at `shift` of `pixel`, rounded to `bits` bits.
uint32_t Channel(uint32_t pixel, int shift, int bits) {
  const uint32_t largest = (1u << bits) - 1;
  return (((pixel >> shift) & 0xFFu) * largest + 127) / 255;
}

uint16_t Pack(PixelPacking packing, uint32_t pixel) {
  uint32_t packed = 0;
  switch (packing) {
    case PixelPacking::kRgb565:
      packed = Channel(pixel, 16, 5) << 11 | Channel(pixel, 8, 6) << 5 | Channel(pixel, 0, 5);
      break;
    case PixelPacking::kArgb1555:
      packed = Channel(pixel, 24, 1) << 15 | Channel(pixel, 16, 5) << 10 |
               Channel(pixel, 8, 5) << 5 | Channel(pixel, 0, 5);
      break;
    case PixelPacking::kArgb4444:
      packed = Channel(pixel, 24, 4) << 12 | Channel(pixel, 16, 4) << 8 |
               Channel(pixel, 8, 4) << 4 | Channel(pixel, 0, 4);
      break;
    case PixelPacking::kArgb8888:
      break;
  }
  return static_cast<uint16_t>(packed);
}

}  // namespace

UploadLayout LayoutOf(PixelPacking packing) {
  switch (packing) {
    case PixelPacking::kRgb565:
      return {GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
    case PixelPacking::kArgb1555:
      return {GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
    case PixelPacking::kArgb4444:
      return {GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
    case PixelPacking::kArgb8888:
      break;
  }
  // Read as reversed 8-8-8-8 words, BGRA bytes are exactly 0xAARRGGBB.
  return {GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
}

const GlTextureFormat* ChooseTextureFormat(D3DX_SURFACEFORMAT requested) {
  if (requested >= kFormats.size()) return nullptr;
  return &kFormats[requested];
}

std::vector<uint16_t> PackPixels(PixelPacking packing, std::span<const uint32_t> argb) {
  std::vector<uint16_t> packed(argb.size());
  for (size_t i = 0; i < argb.size(); ++i) packed[i] = Pack(packing, argb[i]);
  return packed;
}
