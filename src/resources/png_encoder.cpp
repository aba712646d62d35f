#include "resources/png_encoder.h"

#include <png.h>

#include <stdexcept>

namespace {

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

int ColourType(PngChannels channels) {
  switch (channels) {
    case PngChannels::kGrey: return PNG_COLOR_TYPE_GRAY;
    case PngChannels::kRgb: return PNG_COLOR_TYPE_RGB;
    case PngChannels::kRgba: break;
  }
  return PNG_COLOR_TYPE_RGBA;
}

}  // namespace

std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, PngChannels channels,
                               std::span<const uint8_t> pixels) {
  const size_t rowBytes = size_t{width} * static_cast<size_t>(channels);
  if (width == 0 || height == 0 || pixels.size() != rowBytes * height) {
    throw std::invalid_argument("a PNG needs width x height pixels");
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error("libpng could not start a PNG encoder");
  }
  std::vector<uint8_t> out;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng failed to encode a picture");
  }
  png_set_write_fn(png, &out, AppendToVector, NoFlush);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, width, height, 8, ColourType(channels), PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (uint32_t y = 0; y < height; ++y) {
    png_write_row(png, pixels.data() + rowBytes * y);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}
