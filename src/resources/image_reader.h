#pragma once
// Turns the bytes of an image entry into 32-bit pixels: 4 bytes per pixel in the order
// blue, green, red, alpha, rows top to bottom, width x 4 bytes per row.
//
// The texture loader calls ReadImage twice: first without a pixel buffer to learn the
// dimensions, then with a buffer of width x height x 4 bytes to decode into.
#include <cstddef>
#include <cstdint>

#include "render/d3d/result.h"
#include "resources/com_object.h"

class ImageReader : public ComObject {
 public:
  // `pixels` null: reads the header of the `length` bytes at `data`, remembers the
  // dimensions and writes them to `width` and `height` (both required, E_POINTER).
  // `pixels` given: decodes into it. When no dimensions are known yet they are taken from
  // `width` and `height`; the image must have exactly the dimensions the buffer was sized
  // for. Truncated or corrupt data gives E_FAIL; nothing is written past the buffer.
  HRESULT ReadImage(const uint8_t* data, size_t length, uint8_t* pixels, uint32_t* width,
                    uint32_t* height);

 protected:
  // Parses only as far as the dimensions. ReadImage refuses sizes beyond the limits, so
  // neither hook sees them.
  virtual HRESULT ReadDimensions(const uint8_t* data, size_t length, uint32_t& width,
                                 uint32_t& height) = 0;
  // False when `length` bytes of this format cannot possibly hold a picture of this size,
  // however well it compresses: such a header lies, and is refused before the caller
  // allocates for it.
  virtual bool CouldHold(size_t length, uint32_t width, uint32_t height) const = 0;
  // Decodes into `pixels` (width x height x 4 bytes); E_FAIL unless the image has exactly
  // these dimensions.
  virtual HRESULT DecodePixels(const uint8_t* data, size_t length, uint32_t width,
                               uint32_t height, uint8_t* pixels) = 0;

 private:
  uint32_t width_ = 0;
  uint32_t height_ = 0;
};
