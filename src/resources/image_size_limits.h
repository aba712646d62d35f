#pragma once
// The largest pictures the image readers accept. A header that claims more is refused
// before anything is allocated for it, so a damaged entry cannot ask for unbounded memory.
#include <cstdint>

inline constexpr uint32_t kMaxImageSide = 16384;
inline constexpr uint64_t kMaxImageBytes = 256ull * 1024 * 1024;

// True for a non-empty picture within the limits above at 4 bytes per pixel.
constexpr bool IsAcceptableImageSize(uint32_t width, uint32_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         uint64_t{width} * height * 4 <= kMaxImageBytes;
}
