#include "support/test_png.h"

#include <csetjmp>

namespace {

void AppendToVector(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp /*png*/) {}

[[noreturn]] void JumpBack(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }

bool Write(png_structp png, png_infop info, const TestPng& image, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty()) {
    png_set_PLTE(png, info, image.palette.data(), static_cast<int>(image.palette.size()));
  }
  if (!image.paletteAlpha.empty()) {
    png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()),
                 nullptr);
  }
  png_color_16 transparent{};
  if (image.transparentGrey) png_set_tRNS(png, info, nullptr, 0, &transparent);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeTestPng(const TestPng& image) {
  std::vector<uint8_t> out;
  std::vector<png_bytep> rows;
  for (const auto& row : image.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendToVector, FlushNothing);
  const bool written = Write(png, info, image, rows.data());
  png_destroy_write_struct(&png, &info);
  if (!written) out.clear();
  return out;
}
