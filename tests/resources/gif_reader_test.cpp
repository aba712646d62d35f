#include <gtest/gtest.h>

#include <vector>

#include "support/decoded_image.h"
#include "support/test_gif.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Indices that look random, so that LZW finds few long repeats.
Bytes ScrambledIndices(size_t count, uint8_t colours) {
  Bytes indices(count);
  uint32_t state = 12345;
  for (uint8_t& index : indices) {
    state = state * 1103515245u + 12345u;
    index = static_cast<uint8_t>((state >> 16) % colours);
  }
  return indices;
}

// Checks every decoded pixel against the palette, expanded from its upper six bits.
void ExpectPixelsFromPalette(const DecodedImage& image, const TestGif& gif) {
  ASSERT_EQ(image.pixels.size(), gif.indices.size() * 4);
  for (size_t i = 0; i < gif.indices.size(); ++i) {
    const uint8_t* colour = &gif.palette[gif.indices[i] * 3u];
    const Bytes expected = {static_cast<uint8_t>(colour[2] & 0xFC),
                            static_cast<uint8_t>(colour[1] & 0xFC),
                            static_cast<uint8_t>(colour[0] & 0xFC), 1};
    ASSERT_EQ(Bytes(image.pixels.begin() + static_cast<ptrdiff_t>(i * 4),
                    image.pixels.begin() + static_cast<ptrdiff_t>(i * 4 + 4)),
              expected)
        << "pixel " << i;
  }
}

// A 2 x 2 GIF with a four-colour table (black, then 0xFF 0x80 0x03, black, black) whose
// image data, minimum code size 2, is the two code bytes given.
Bytes TwoByTwoGif(uint8_t firstCodes, uint8_t moreCodes) {
  return {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x81, 0, 0,
          0, 0, 0, 0xFF, 0x80, 0x03, 0, 0, 0, 0, 0, 0,
          0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0,
          2, 2, firstCodes, moreCodes, 0, 0x3B};
}

TEST(GifImageReader, DecodesAHandAssembledFile) {
  // 2 x 2 pixels of colour 1: codes clear, 1, 6 (a code not yet in the table), 1, end.
  const DecodedImage image = DecodeImage("tiny.gif", TwoByTwoGif(0x8C, 0x53));
  ASSERT_EQ(image.result, S_OK);
  EXPECT_EQ(image.width, 2u);
  EXPECT_EQ(image.height, 2u);
  // 0xFF keeps only its upper six bits, 0x03 loses both; the alpha byte 1 marks a picture
  // without alpha.
  EXPECT_EQ(image.pixels,
            (Bytes{0x00, 0x80, 0xFC, 1, 0x00, 0x80, 0xFC, 1, 0x00, 0x80, 0xFC, 1, 0x00, 0x80, 0xFC, 1}));
}

TEST(GifImageReader, AnEarlyEndCodeEndsThePictureKeepingWhatWasDecoded) {
  // The codes end after the first pixel: clear, 1, end. The pixels not reached keep
  // index 0 (black here).
  const DecodedImage image = DecodeImage("short.gif", TwoByTwoGif(0x4C, 0x01));
  ASSERT_EQ(image.result, S_OK);
  EXPECT_EQ(image.pixels, (Bytes{0x00, 0x80, 0xFC, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}));
}

TEST(GifImageReader, DecodesEveryMinimumCodeSize) {
  for (uint8_t minimumCodeSize = 2; minimumCodeSize <= 8; ++minimumCodeSize) {
    const size_t colours = size_t{1} << minimumCodeSize;
    TestGif gif{.width = 40, .height = 30, .minimumCodeSize = minimumCodeSize};
    for (size_t i = 0; i < colours * 3; ++i) gif.palette.push_back(static_cast<uint8_t>(i * 7));
    gif.indices = ScrambledIndices(40 * 30, static_cast<uint8_t>(std::min<size_t>(colours, 255)));
    const DecodedImage image = DecodeImage("a.gif", EncodeTestGif(gif));
    ASSERT_EQ(image.result, S_OK) << int{minimumCodeSize};
    ExpectPixelsFromPalette(image, gif);
  }
}

TEST(GifImageReader, KeepsDecodingWhenTheTableFillsWithoutAClearCode) {
  TestGif gif{.width = 200, .height = 200, .minimumCodeSize = 2};
  gif.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  gif.indices = ScrambledIndices(200 * 200, 4);
  bool tableFilled = false;
  const Bytes file = EncodeTestGif(gif, &tableFilled);
  ASSERT_TRUE(tableFilled);
  const DecodedImage image = DecodeImage("full.gif", file);
  ASSERT_EQ(image.result, S_OK);
  ExpectPixelsFromPalette(image, gif);
}

TEST(GifImageReader, RefusesBadHeaders) {
  TestGif gif{.width = 4, .height = 4, .minimumCodeSize = 2};
  gif.palette = Bytes(12, 9);
  gif.indices = Bytes(16, 1);
  const Bytes file = EncodeTestGif(gif);
  constexpr size_t kMinimumCodeSizeOffset = 6 + 7 + 12 + 10;

  Bytes notGif = file;
  notGif[0] = 'J';
  Bytes zeroWidth = file;
  zeroWidth[6 + 7 + 12 + 5] = 0;
  Bytes hugeSize = file;
  for (size_t at = 6 + 7 + 12 + 5; at < 6 + 7 + 12 + 9; ++at) hugeSize[at] = 0xFF;
  Bytes codeSizeTooSmall = file;
  codeSizeTooSmall[kMinimumCodeSizeOffset] = 1;
  Bytes codeSizeTooLarge = file;
  codeSizeTooLarge[kMinimumCodeSizeOffset] = 10;
  // 8000 x 8000 is within the readers' limits, but no 50-byte GIF can hold it.
  Bytes moreThanItsBytesHold = file;
  for (size_t at : {6 + 7 + 12 + 5, 6 + 7 + 12 + 7}) {
    moreThanItsBytesHold[at] = 8000 & 0xFF;
    moreThanItsBytesHold[at + 1] = 8000 >> 8;
  }
  for (const Bytes& bad : {notGif, zeroWidth, hugeSize, codeSizeTooSmall, codeSizeTooLarge,
                           moreThanItsBytesHold}) {
    EXPECT_EQ(DecodeImage("bad.gif", bad).result, E_FAIL);
  }
}

TEST(GifImageReader, APictureOfOneColourCompressesFarAndStillDecodes) {
  TestGif gif{.width = 640, .height = 480, .minimumCodeSize = 2};
  gif.palette = {10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  gif.indices = Bytes(640 * 480, 0);
  const Bytes file = EncodeTestGif(gif);
  ASSERT_LT(file.size(), size_t{4096});
  const DecodedImage image = DecodeImage("flat.gif", file);
  ASSERT_EQ(image.result, S_OK);
  ExpectPixelsFromPalette(image, gif);
}

TEST(GifImageReader, DamagedFilesFailWithoutWritingPastTheBuffer) {
  TestGif gif{.width = 24, .height = 20, .minimumCodeSize = 3};
  for (int i = 0; i < 24; ++i) gif.palette.push_back(static_cast<uint8_t>(i * 10));
  gif.indices = ScrambledIndices(24 * 20, 8);
  const Bytes file = EncodeTestGif(gif);
  // The last code bytes still hold the end code; without them pixels are missing.
  constexpr size_t kEndCodeAndTerminators = 4;
  for (size_t cut = 1; cut + kEndCodeAndTerminators < file.size(); ++cut) {
    const DecodedImage image = DecodeImage("cut.gif", Bytes(file.begin(), file.begin() + cut));
    EXPECT_EQ(image.result, E_FAIL) << cut;
    EXPECT_TRUE(image.guardIntact) << cut;
  }
  for (size_t at = 0; at < file.size(); ++at) {
    for (uint8_t flip : {0x01, 0x5A, 0xFF}) {
      Bytes damaged = file;
      damaged[at] ^= flip;
      const DecodedImage image = DecodeImage("damaged.gif", damaged);
      EXPECT_TRUE(image.guardIntact) << at;
    }
  }
}

TEST(GifImageReader, RandomCodeDataNeverOverrunsTheBuffer) {
  TestGif gif{.width = 64, .height = 64, .minimumCodeSize = 2};
  gif.palette = Bytes(12, 200);
  gif.indices = Bytes(64 * 64, 3);
  const Bytes valid = EncodeTestGif(gif);
  constexpr size_t kCodeDataStart = 6 + 7 + 12 + 10 + 1;
  const Bytes noise = ScrambledIndices(20 * 256, 255);
  for (size_t start = 0; start < 20; ++start) {
    Bytes hostile(valid.begin(), valid.begin() + kCodeDataStart);
    for (size_t block = 0; block < 20; ++block) {
      hostile.push_back(255);
      const auto from = noise.begin() + static_cast<ptrdiff_t>(((start + block) % 20) * 255);
      hostile.insert(hostile.end(), from, from + 255);
    }
    const DecodedImage image = DecodeImage("noise.gif", hostile);
    EXPECT_TRUE(image.guardIntact) << start;
  }
}

}  // namespace
