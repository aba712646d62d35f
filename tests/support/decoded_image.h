#pragma once
// Runs an image reader over an entry the way the texture loader does (dimension query,
// then decode) and checks that the reader stays inside its output buffer.
#include <cstdint>
#include <string_view>
#include <vector>

#include "render/d3d/result.h"

struct DecodedImage {
  HRESULT result = 0;  // the first failure, or S_OK
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // blue, green, red, alpha per pixel
  bool guardIntact = true;      // the bytes after the output buffer were left alone
};

// `name` picks the reader, as CreateImageReader does.
DecodedImage DecodeImage(std::string_view name, const std::vector<uint8_t>& data);
