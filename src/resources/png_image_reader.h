#pragma once
// Decodes PNG entries through libpng, straight from memory.
#include "resources/image_reader.h"

class PngImageReader final : public ImageReader {
 protected:
  HRESULT ReadDimensions(const uint8_t* data, size_t length, uint32_t& width,
                         uint32_t& height) override;
  HRESULT DecodePixels(const uint8_t* data, size_t length, uint32_t width, uint32_t height,
                       uint8_t* pixels) override;
  bool CouldHold(size_t length, uint32_t width, uint32_t height) const override;
};
