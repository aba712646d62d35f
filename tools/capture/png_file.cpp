#include "png_file.h"

#include <stb_image_write.h>

bool WritePngFile(const std::string& path, const std::vector<uint32_t>& pixelsArgb,
                  uint32_t width, uint32_t height) {
  if (width == 0 || height == 0 || pixelsArgb.size() != size_t{width} * height) return false;
  std::vector<uint8_t> rgb(pixelsArgb.size() * 3);
  for (size_t i = 0; i < pixelsArgb.size(); ++i) {
    rgb[i * 3 + 0] = static_cast<uint8_t>(pixelsArgb[i] >> 16);
    rgb[i * 3 + 1] = static_cast<uint8_t>(pixelsArgb[i] >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(pixelsArgb[i]);
  }
  return stbi_write_png(path.c_str(), static_cast<int>(width), static_cast<int>(height), 3,
                        rgb.data(), static_cast<int>(width * 3)) != 0;
}
