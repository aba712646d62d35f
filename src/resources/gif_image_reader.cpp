#include "resources/gif_image_reader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>


namespace {

constexpr size_t kHeaderSize = 6;  // "GIF" and the version, which is not checked
constexpr size_t kScreenDescriptorSize = 7;
constexpr size_t kColourTableSizeField = 4;  // the packed byte within the screen descriptor
constexpr size_t kImagePositionSize = 4;     // left and top, ignored
// Bounds of the compressed data: a code is at least 3 bits wide, and the k-th code after a
// clear stands for at most k pixels, never more than the 4096 entries of the dictionary.
constexpr uint64_t kNarrowestCodeBits = 3;
constexpr uint64_t kLongestString = 4096;

}  // namespace

bool GifImageReader::ReadLayout(ByteCursor& source, uint32_t& width, uint32_t& height) {
  const uint8_t* header = source.Take(kHeaderSize);
  if (header == nullptr || std::memcmp(header, "GIF", 3) != 0) return false;
  const uint8_t* screen = source.Take(kScreenDescriptorSize);
  if (screen == nullptr) return false;

  // The table is read whether or not the descriptor's table flag is set.
  const size_t entries = size_t{2} << (screen[kColourTableSizeField] & 7);
  const uint8_t* table = source.Take(entries * 3);
  if (table == nullptr) return false;
  palette_.fill(0);
  for (size_t i = 0; i < entries * 3; ++i) palette_[i] = static_cast<uint8_t>(table[i] >> 2);

  uint8_t separator = 0;
  uint16_t imageWidth = 0;
  uint16_t imageHeight = 0;
  uint8_t packed = 0;  // local colour table and interlacing are not supported
  if (!source.ReadByte(separator) || source.Take(kImagePositionSize) == nullptr ||
      !source.ReadLittleEndian16(imageWidth) || !source.ReadLittleEndian16(imageHeight) ||
      !source.ReadByte(packed)) {
    return false;
  }
  width = imageWidth;
  height = imageHeight;
  return true;
}

HRESULT GifImageReader::ReadDimensions(const uint8_t* data, size_t length, uint32_t& width,
                                       uint32_t& height) {
  ByteCursor source(data, length);
  uint32_t imageWidth = 0;
  uint32_t imageHeight = 0;
  if (!ReadLayout(source, imageWidth, imageHeight)) return E_FAIL;
  width = imageWidth;
  height = imageHeight;
  return S_OK;
}

bool GifImageReader::CouldHold(size_t length, uint32_t width, uint32_t height) const {
  const uint64_t codes = uint64_t{length} * 8 / kNarrowestCodeBits;
  const uint64_t growing = std::min(codes, kLongestString);
  const uint64_t mostPixels = growing * (growing + 1) / 2 + (codes - growing) * kLongestString;
  return uint64_t{width} * height <= mostPixels;
}

HRESULT GifImageReader::DecodePixels(const uint8_t* data, size_t length, uint32_t width,
                                     uint32_t height, uint8_t* pixels) {
  ByteCursor source(data, length);
  uint32_t imageWidth = 0;
  uint32_t imageHeight = 0;
  if (!ReadLayout(source, imageWidth, imageHeight)) return E_FAIL;
  if (imageWidth != width || imageHeight != height) return E_FAIL;
  uint8_t minimumCodeSize = 0;
  if (!source.ReadByte(minimumCodeSize)) return E_FAIL;

  const size_t pixelCount = size_t{width} * height;
  std::vector<uint8_t> indices;
  try {
    indices.resize(pixelCount);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  if (!decoder_.Decode(source, minimumCodeSize, indices.data(), pixelCount)) return E_FAIL;

  for (size_t i = 0; i < pixelCount; ++i) {
    const uint8_t* colour = &palette_[size_t{indices[i]} * 3];
    uint8_t* pixel = pixels + i * 4;
    pixel[0] = static_cast<uint8_t>(colour[2] << 2);
    pixel[1] = static_cast<uint8_t>(colour[1] << 2);
    pixel[2] = static_cast<uint8_t>(colour[0] << 2);
    pixel[3] = 1;  // the readers' mark for a picture without alpha, as GIF pictures are
  }
  return S_OK;
}
