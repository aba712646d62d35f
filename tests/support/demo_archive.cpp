#include "support/demo_archive.h"

std::vector<uint8_t> TestFontImage() {
  std::vector<uint8_t> coverage(256 * 128);
  for (size_t i = 0; i < coverage.size(); ++i) {
    coverage[i] = static_cast<uint8_t>((i % 256) + (i / 256));
  }
  return coverage;
}

CompoundFileBuilder DemoArchive() {
  CompoundFileBuilder archive;
  archive.AddStream("bwfont.raw", TestFontImage());
  return archive;
}
