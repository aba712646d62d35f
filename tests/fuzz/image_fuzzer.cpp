// Fuzzes the picture readers as the texture manager drives them: the first byte picks the
// PNG or the GIF reader by name, the rest is the file. A header that reads is followed by
// a decode into a buffer of exactly its size, guarded on both sides by the sanitizer.
#include <cstdint>
#include <memory>

#include "fuzz_input.h"
#include "resources/image_reader_factory.h"

namespace {

// Pictures the header claims beyond this many pixels are not decoded here: they are
// within the readers' limits, but decoding them makes each run take seconds.
constexpr uint64_t kMostPixelsDecoded = 4u << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const char* name = input.TakeByte() % 2 == 0 ? "fuzz.png" : "fuzz.gif";
  const std::vector<uint8_t> file = input.TakeRest();
  ImageReader* reader = nullptr;
  if (FAILED(CreateImageReader(name, &reader))) FuzzContractBroken("no reader for a picture");
  uint32_t width = 0;
  uint32_t height = 0;
  if (SUCCEEDED(reader->ReadImage(file.data(), file.size(), nullptr, &width, &height)) &&
      uint64_t{width} * height <= kMostPixelsDecoded) {
    // Left unfilled: only the decoder writes it and nothing reads it, so zeroing up to 16 MB
    // first would only cost time.
    const auto pixels = std::make_unique_for_overwrite<uint8_t[]>(size_t{width} * height * 4);
    reader->ReadImage(file.data(), file.size(), pixels.get(), &width, &height);
  }
  reader->Release();
  return 0;
}
