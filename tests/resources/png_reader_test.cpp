#include <gtest/gtest.h>

#include <vector>

#include "support/decoded_image.h"
#include "support/test_png.h"

namespace {

using Bytes = std::vector<uint8_t>;

DecodedImage DecodePng(const TestPng& png) {
  const Bytes file = EncodeTestPng(png);
  EXPECT_FALSE(file.empty());
  return DecodeImage("test.png", file);
}

// A picture without alpha is marked by the alpha byte 1 in every pixel.
TEST(PngImageReader, RgbIsWrittenBlueFirstWithTheNoAlphaMark) {
  TestPng png{.width = 2, .height = 2, .colorType = PNG_COLOR_TYPE_RGB, .bitDepth = 8};
  png.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
  const DecodedImage image = DecodePng(png);
  ASSERT_EQ(image.result, S_OK);
  EXPECT_EQ(image.width, 2u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 1, 6, 5, 4, 1, 9, 8, 7, 1, 12, 11, 10, 1}));
}

TEST(PngImageReader, RgbaKeepsItsAlpha) {
  TestPng png{.width = 2, .height = 1, .colorType = PNG_COLOR_TYPE_RGB_ALPHA, .bitDepth = 8};
  png.rows = {{1, 2, 3, 0, 4, 5, 6, 128}};
  const DecodedImage image = DecodePng(png);
  ASSERT_EQ(image.result, S_OK);
  EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 0, 6, 5, 4, 128}));
}

TEST(PngImageReader, GreyWithAlphaBecomesRgba) {
  TestPng png{.width = 1, .height = 1, .colorType = PNG_COLOR_TYPE_GRAY_ALPHA, .bitDepth = 8};
  png.rows = {{77, 40}};
  const DecodedImage image = DecodePng(png);
  ASSERT_EQ(image.result, S_OK);
  EXPECT_EQ(image.pixels, (Bytes{77, 77, 77, 40}));
}

TEST(PngImageReader, TransparencyOfPicturesWithoutAlphaIsDroppedForTheNoAlphaMark) {
  TestPng palette{.width = 2, .height = 1, .colorType = PNG_COLOR_TYPE_PALETTE, .bitDepth = 8};
  palette.palette = {{10, 20, 30}, {40, 50, 60}};
  palette.paletteAlpha = {0, 100};
  palette.rows = {{1, 0}};
  const DecodedImage fromPalette = DecodePng(palette);
  ASSERT_EQ(fromPalette.result, S_OK);
  EXPECT_EQ(fromPalette.pixels, (Bytes{60, 50, 40, 1, 30, 20, 10, 1}));

  TestPng grey{.width = 2, .height = 1, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 8};
  grey.transparentGrey = true;
  grey.rows = {{0, 9}};
  const DecodedImage fromGrey = DecodePng(grey);
  ASSERT_EQ(fromGrey.result, S_OK);
  EXPECT_EQ(fromGrey.pixels, (Bytes{0, 0, 0, 1, 9, 9, 9, 1}));
}

TEST(PngImageReader, SixteenBitSamplesKeepTheirHighByte) {
  TestPng png{.width = 1, .height = 1, .colorType = PNG_COLOR_TYPE_RGB_ALPHA, .bitDepth = 16};
  png.rows = {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}};
  const DecodedImage image = DecodePng(png);
  ASSERT_EQ(image.result, S_OK);
  EXPECT_EQ(image.pixels, (Bytes{0x9A, 0x56, 0x12, 0xDE}));
}

// Packs samples of `bitDepth` bits into one PNG row, the first sample in the top bits.
Bytes PackRow(const Bytes& samples, int bitDepth) {
  Bytes row((samples.size() * bitDepth + 7) / 8, 0);
  for (size_t i = 0; i < samples.size(); ++i) {
    const size_t bit = i * bitDepth;
    row[bit / 8] |= static_cast<uint8_t>(samples[i] << (8 - bitDepth - bit % 8));
  }
  return row;
}

TEST(PngImageReader, LowBitDepthGreyIsScaledToEightBits) {
  for (int bitDepth : {1, 2, 4}) {
    const uint8_t brightest = static_cast<uint8_t>((1 << bitDepth) - 1);
    TestPng png{.width = 3, .height = 1, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = bitDepth};
    png.rows = {PackRow({brightest, 0, 1}, bitDepth)};
    const DecodedImage image = DecodePng(png);
    ASSERT_EQ(image.result, S_OK) << bitDepth;
    const uint8_t one = static_cast<uint8_t>(255 / brightest);
    EXPECT_EQ(image.pixels, (Bytes{255, 255, 255, 1, 0, 0, 0, 1, one, one, one, 1}))
        << bitDepth;
  }
}

TEST(PngImageReader, LowBitDepthPaletteIndexesTheColours) {
  for (int bitDepth : {1, 2, 4}) {
    TestPng png{.width = 3, .height = 1, .colorType = PNG_COLOR_TYPE_PALETTE, .bitDepth = bitDepth};
    png.palette = {{1, 2, 3}, {4, 5, 6}};
    png.rows = {PackRow({1, 0, 1}, bitDepth)};
    const DecodedImage image = DecodePng(png);
    ASSERT_EQ(image.result, S_OK) << bitDepth;
    EXPECT_EQ(image.pixels, (Bytes{6, 5, 4, 1, 3, 2, 1, 1, 6, 5, 4, 1})) << bitDepth;
  }
}

TEST(PngImageReader, DamagedFilesFailWithoutWritingPastTheBuffer) {
  TestPng png{.width = 16, .height = 16, .colorType = PNG_COLOR_TYPE_RGB, .bitDepth = 8};
  for (uint32_t y = 0; y < 16; ++y) {
    Bytes row;
    for (uint32_t i = 0; i < 48; ++i) row.push_back(static_cast<uint8_t>(y * 37 + i * 11));
    png.rows.push_back(row);
  }
  const Bytes file = EncodeTestPng(png);
  constexpr size_t kEndChunkSize = 12;
  for (size_t cut = 1; cut + kEndChunkSize < file.size(); ++cut) {
    const DecodedImage image = DecodeImage("cut.png", Bytes(file.begin(), file.begin() + cut));
    EXPECT_EQ(image.result, E_FAIL) << cut;
    EXPECT_TRUE(image.guardIntact) << cut;
  }
  for (size_t at = 0; at < file.size(); ++at) {
    Bytes damaged = file;
    damaged[at] ^= 0x5A;
    const DecodedImage image = DecodeImage("damaged.png", damaged);
    EXPECT_TRUE(image.guardIntact) << at;
  }
}

// The CRC-32 that closes every PNG chunk.
uint32_t ChunkCrc(const uint8_t* bytes, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? 0xEDB88320u : 0);
  }
  return ~crc;
}

TEST(PngImageReader, RefusesHeadersClaimingHugePictures) {
  TestPng png{.width = 1, .height = 1, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 8};
  png.rows = {{0}};
  const Bytes file = EncodeTestPng(png);
  // Width then height, big-endian: one side too long; sides within the limit whose
  // product is too large; 8000 x 8000, within the limits but far more than the few bytes
  // of this file could inflate to.
  for (const Bytes& size : {Bytes{0, 1, 0, 0, 0, 0, 0, 1}, Bytes{0, 0, 0x40, 0, 0, 0, 0x40, 0},
                            Bytes{0, 0, 0x1F, 0x40, 0, 0, 0x1F, 0x40}}) {
    Bytes lying = file;
    std::copy(size.begin(), size.end(), lying.begin() + 16);
    // The header chunk's CRC covers its type and data (offsets 12..28) and follows them.
    const uint32_t crc = ChunkCrc(lying.data() + 12, 17);
    for (int i = 0; i < 4; ++i) lying[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    EXPECT_EQ(DecodeImage("huge.png", lying).result, E_FAIL);
  }
}

}  // namespace
