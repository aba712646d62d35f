#pragma once
// Decodes the simplest GIF layout: signature, logical screen descriptor, global colour
// table, then directly the descriptor of the first image (no extension blocks, local
// colour table or interlacing).
#include <array>

#include "resources/gif_lzw_decoder.h"
#include "resources/image_reader.h"

class GifImageReader final : public ImageReader {
 protected:
  HRESULT ReadDimensions(const uint8_t* data, size_t length, uint32_t& width,
                         uint32_t& height) override;
  HRESULT DecodePixels(const uint8_t* data, size_t length, uint32_t width, uint32_t height,
                       uint8_t* pixels) override;
  bool CouldHold(size_t length, uint32_t width, uint32_t height) const override;

 private:
  // Reads up to and including the image descriptor: fills `palette_` and gives the image's
  // dimensions. False for a missing signature or data that ends early.
  bool ReadLayout(ByteCursor& source, uint32_t& width, uint32_t& height);

  // Red, green, blue per entry, each kept to its upper six bits (value >> 2); entries the
  // colour table does not cover are black.
  std::array<uint8_t, 256 * 3> palette_{};
  GifLzwDecoder decoder_;
};
