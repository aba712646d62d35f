#include "resources/image_reader.h"

#include "resources/image_size_limits.h"

HRESULT ImageReader::ReadImage(const uint8_t* data, size_t length, uint8_t* pixels,
                               uint32_t* width, uint32_t* height) {
  if (data == nullptr) return E_POINTER;
  if (pixels == nullptr) {
    if (width == nullptr || height == nullptr) return E_POINTER;
    uint32_t headerWidth = 0;
    uint32_t headerHeight = 0;
    const HRESULT result = ReadDimensions(data, length, headerWidth, headerHeight);
    if (FAILED(result)) return result;
    // A lying header must not lead the caller into a large allocation.
    if (!IsAcceptableImageSize(headerWidth, headerHeight) ||
        !CouldHold(length, headerWidth, headerHeight)) {
      return E_FAIL;
    }
    width_ = headerWidth;
    height_ = headerHeight;
    *width = width_;
    *height = height_;
    return S_OK;
  }
  if (width_ == 0 || height_ == 0) {
    if (width == nullptr || height == nullptr) return E_POINTER;
    width_ = *width;
    height_ = *height;
  }
  if (!IsAcceptableImageSize(width_, height_)) return E_FAIL;
  return DecodePixels(data, length, width_, height_, pixels);
}
