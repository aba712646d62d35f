#include "kit/png_encoder.h"

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
    case PngChannels::kRgb: return PNG_COLOR_TYPE_RGB;
    case PngChannels::kRgba: return PNG_COLOR_TYPE_RGBA;
    case PngChannels::kGrey: return PNG_COLOR_TYPE_GRAY;
  }
  return PNG_COLOR_TYPE_RGBA;
}

std::vector<uint8_t> PackRow(const PixelImage& image, int y, PngChannels channels) {
  std::vector<uint8_t> row;
  for (int x = 0; x < image.width(); ++x) {
    const Rgba8 pixel = image.at(x, y);
    row.push_back(pixel.r);
    if (channels == PngChannels::kGrey) continue;
    row.push_back(pixel.g);
    row.push_back(pixel.b);
    if (channels == PngChannels::kRgba) row.push_back(pixel.a);
  }
  return row;
}
}  // namespace

std::vector<uint8_t> EncodePng(const PixelImage& image, PngChannels channels) {
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
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
               static_cast<png_uint_32>(image.height()), 8, ColourType(channels),
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height(); ++y) {
    std::vector<uint8_t> row = PackRow(image, y, channels);
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}
