#include "resources/png_image_reader.h"

#include <csetjmp>
#include <vector>

#include "resources/png_read_session.h"

// Deflate expands at most 1032 times: its longest match (258 bytes) costs at least two bits.
constexpr uint64_t kMostDeflateExpansion = 1032;

// The functions that set a libpng recovery point hold no objects with destructors, so
// the jump back on an error skips no clean-up.
namespace {

bool ReadHeader(const PngReadSession& session, uint32_t& width, uint32_t& height) {
  if (setjmp(png_jmpbuf(session.Png()))) return false;
  png_read_info(session.Png(), session.Info());
  width = png_get_image_width(session.Png(), session.Info());
  height = png_get_image_height(session.Png(), session.Info());
  return true;
}

// Has libpng deliver every row as blue, green, red, alpha bytes, 8 bits each.
void RequestBgraRows(png_structp png, png_infop info) {
  switch (png_get_color_type(png, info)) {
    case PNG_COLOR_TYPE_GRAY:
      // A transparent grey shade is dropped as a palette's transparency is: only pictures
      // with an alpha channel carry alpha.
      png_set_gray_to_rgb(png);
      png_set_expand(png);
      png_set_strip_alpha(png);
      break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      png_set_gray_to_rgb(png);
      png_set_expand(png);
      break;
    case PNG_COLOR_TYPE_PALETTE:
      png_set_expand(png);
      png_set_strip_alpha(png);
      break;
    default:  // RGB, with or without alpha, needs no expansion.
      break;
  }
  const int bitDepth = png_get_bit_depth(png, info);
  if (bitDepth == 16) {
    png_set_strip_16(png);
  } else if (bitDepth < 8) {
    png_set_packing(png);
  }
  png_set_bgr(png);
  // Pictures without alpha get the alpha byte 1, the readers' mark for "no alpha channel"
  // (a texture format without alpha ignores it); rows with alpha are left alone.
  png_set_filler(png, 1, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
}

// Decodes straight into the output: `rows` points at each of its `height` rows.
bool ReadRows(const PngReadSession& session, uint32_t width, uint32_t height, png_bytepp rows) {
  png_structp png = session.Png();
  png_infop info = session.Info();
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  if (png_get_image_width(png, info) != width || png_get_image_height(png, info) != height) {
    return false;
  }
  RequestBgraRows(png, info);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t{width} * 4) return false;
  png_read_image(png, rows);
  return true;
}

}  // namespace

HRESULT PngImageReader::ReadDimensions(const uint8_t* data, size_t length, uint32_t& width,
                                       uint32_t& height) {
  PngReadSession session(data, length);
  if (!session.IsReady()) return E_FAIL;
  uint32_t headerWidth = 0;
  uint32_t headerHeight = 0;
  if (!ReadHeader(session, headerWidth, headerHeight)) return E_FAIL;
  width = headerWidth;
  height = headerHeight;
  return S_OK;
}

// The smallest picture data a PNG of this size has is 1 bit a pixel and one filter byte a
// row; all of it comes out of the file's deflate streams.
bool PngImageReader::CouldHold(size_t length, uint32_t width, uint32_t height) const {
  const uint64_t smallestRowBytes = 1 + (uint64_t{width} + 7) / 8;
  return smallestRowBytes * height <= uint64_t{length} * kMostDeflateExpansion;
}

HRESULT PngImageReader::DecodePixels(const uint8_t* data, size_t length, uint32_t width,
                                     uint32_t height, uint8_t* pixels) {
  std::vector<png_bytep> rows(height);
  for (uint32_t row = 0; row < height; ++row) rows[row] = pixels + size_t{row} * width * 4;
  PngReadSession session(data, length);
  if (!session.IsReady()) return E_FAIL;
  return ReadRows(session, width, height, rows.data()) ? S_OK : E_FAIL;
}
