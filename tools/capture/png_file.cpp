#include "png_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "resources/png_encoder.h"

namespace {

bool Fail(std::string* cause, const std::string& why) {
  if (cause != nullptr) *cause = why;
  return false;
}

}  // namespace

bool WritePngFile(const std::string& path, const std::vector<uint32_t>& pixelsArgb, uint32_t width,
                  uint32_t height, std::string* cause) {
  if (width == 0 || height == 0 || pixelsArgb.size() != size_t{width} * height) {
    return Fail(cause, "no picture");
  }
  std::vector<uint8_t> rgb(pixelsArgb.size() * 3);
  for (size_t i = 0; i < pixelsArgb.size(); ++i) {
    rgb[i * 3 + 0] = static_cast<uint8_t>(pixelsArgb[i] >> 16);
    rgb[i * 3 + 1] = static_cast<uint8_t>(pixelsArgb[i] >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(pixelsArgb[i]);
  }
  std::vector<uint8_t> png;
  try {
    png = EncodePng(width, height, PngChannels::kRgb, rgb);
  } catch (const std::runtime_error& error) {
    return Fail(cause, error.what());
  }
  // Written beside its name and renamed when whole, so that a full disk or a killed
  // process never leaves a broken picture under the name asked for.
  const std::string partial = path + ".part";
  errno = 0;
  std::ofstream file(partial, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  file.close();
  if (!file) {
    const std::string why = errno != 0 ? std::strerror(errno) : "write failed";
    std::remove(partial.c_str());
    return Fail(cause, why);
  }
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    const std::string why = std::strerror(errno);
    std::remove(partial.c_str());
    return Fail(cause, why);
  }
  return true;
}
