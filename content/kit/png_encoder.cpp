#include "kit/png_encoder.h"

std::vector<uint8_t> EncodePng(const PixelImage& image, PngChannels channels) {
  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(image.width()) * static_cast<size_t>(image.height()) *
                 static_cast<size_t>(channels));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgba8 pixel = image.at(x, y);
      pixels.push_back(pixel.r);
      if (channels == PngChannels::kGrey) continue;
      pixels.push_back(pixel.g);
      pixels.push_back(pixel.b);
      if (channels == PngChannels::kRgba) pixels.push_back(pixel.a);
    }
  }
  return EncodePng(static_cast<uint32_t>(image.width()), static_cast<uint32_t>(image.height()),
                   channels, pixels);
}
