#include "support/decoded_image.h"

#include <algorithm>

#include "resources/image_reader_factory.h"

namespace {
constexpr size_t kGuardSize = 64;
constexpr uint8_t kGuardByte = 0xA5;
}  // namespace

DecodedImage DecodeImage(std::string_view name, const std::vector<uint8_t>& data) {
  DecodedImage image;
  ImageReader* reader = nullptr;
  image.result = CreateImageReader(name, &reader);
  if (FAILED(image.result)) return image;
  image.result = reader->ReadImage(data.data(), data.size(), nullptr, &image.width, &image.height);
  if (SUCCEEDED(image.result)) {
    const size_t size = size_t{image.width} * image.height * 4;
    std::vector<uint8_t> buffer(size + kGuardSize, kGuardByte);
    image.result =
        reader->ReadImage(data.data(), data.size(), buffer.data(), &image.width, &image.height);
    image.guardIntact = std::all_of(buffer.begin() + static_cast<ptrdiff_t>(size), buffer.end(),
                                    [](uint8_t byte) { return byte == kGuardByte; });
    buffer.resize(size);
    image.pixels = std::move(buffer);
  }
  reader->Release();
  return image;
}
