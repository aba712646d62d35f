#include "render/d3dx/argb_image.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Along one axis, output pixel i covers [i * from, (i + 1) * from) and input pixel j
// covers [j * to, (j + 1) * to), both in units of 1 / (from * to) of the whole side, so
// every overlap is a whole number.
struct Span {
  DWORD first, last;  // the input pixels the output pixel touches
};

Span InputSpan(DWORD output, DWORD from, DWORD to) {
  const uint64_t start = uint64_t{output} * from, end = start + from;
  return {static_cast<DWORD>(start / to), static_cast<DWORD>((end - 1) / to)};
}

uint64_t Overlap(DWORD output, DWORD input, DWORD from, DWORD to) {
  const uint64_t outStart = uint64_t{output} * from, inStart = uint64_t{input} * to;
  return std::min(outStart + from, inStart + to) - std::max(outStart, inStart);
}

}  // namespace

ArgbImage ReadArgbImage(const void* source, DWORD pitch, DWORD width, DWORD height) {
  ArgbImage image{width, height, std::vector<uint32_t>(size_t{width} * height)};
  const auto* bytes = static_cast<const uint8_t*>(source);
  const size_t rowBytes = size_t{width} * sizeof(uint32_t);
  for (size_t row = 0; row < height; ++row) {
    std::memcpy(image.pixels.data() + row * width, bytes + row * pitch, rowBytes);
  }
  return image;
}

ArgbImage AverageDown(const ArgbImage& image, DWORD width, DWORD height) {
  ArgbImage result{width, height, std::vector<uint32_t>(size_t{width} * height)};
  const DWORD fromWidth = image.width, fromHeight = image.height;
  // Each output pixel's weights sum to the whole area, fromWidth * fromHeight.
  const uint64_t area = uint64_t{fromWidth} * fromHeight;
  for (DWORD y = 0; y < height; ++y) {
    const Span rows = InputSpan(y, fromHeight, height);
    for (DWORD x = 0; x < width; ++x) {
      const Span columns = InputSpan(x, fromWidth, width);
      std::array<uint64_t, 4> sums{};
      for (DWORD inY = rows.first; inY <= rows.last; ++inY) {
        const uint64_t rowWeight = Overlap(y, inY, fromHeight, height);
        for (DWORD inX = columns.first; inX <= columns.last; ++inX) {
          const uint64_t weight = rowWeight * Overlap(x, inX, fromWidth, width);
          const uint32_t pixel = image.pixels[size_t{inY} * fromWidth + inX];
          for (size_t channel = 0; channel < 4; ++channel) {
            sums[channel] += weight * ((pixel >> (8 * channel)) & 0xFFu);
          }
        }
      }
      uint32_t averaged = 0;
      for (size_t channel = 0; channel < 4; ++channel) {
        averaged |= static_cast<uint32_t>((sums[channel] + area / 2) / area) << (8 * channel);
      }
      result.pixels[size_t{y} * width + x] = averaged;
    }
  }
  return result;
}
