#include "png_file.h"

#include <fstream>
#include <stdexcept>

#include "resources/png_encoder.h"

bool WritePngFile(const std::string& path, const std::vector<uint32_t>& pixelsArgb,
                  uint32_t width, uint32_t height) {
  if (width == 0 || height == 0 || pixelsArgb.size() != size_t{width} * height) return false;
  std::vector<uint8_t> rgb(pixelsArgb.size() * 3);
  for (size_t i = 0; i < pixelsArgb.size(); ++i) {
    rgb[i * 3 + 0] = static_cast<uint8_t>(pixelsArgb[i] >> 16);
    rgb[i * 3 + 1] = static_cast<uint8_t>(pixelsArgb[i] >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(pixelsArgb[i]);
  }
  try {
    const std::vector<uint8_t> png = EncodePng(width, height, PngChannels::kRgb, rgb);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file.flush());
  } catch (const std::runtime_error&) {
    return false;
  }
}
