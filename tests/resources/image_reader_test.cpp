#include <gtest/gtest.h>

#include <vector>

#include "resources/image_reader_factory.h"
#include "resources/png_image_reader.h"
#include "support/test_png.h"

namespace {

std::vector<uint8_t> OnePixelPng() {
  TestPng png{.width = 1, .height = 1, .colorType = PNG_COLOR_TYPE_RGB, .bitDepth = 8};
  png.rows = {{10, 20, 30}};
  return EncodeTestPng(png);
}

TEST(CreateImageReader, ChoosesByTheNamesEndingInAnyCase) {
  const std::vector<uint8_t> png = OnePixelPng();
  for (const char* name : {"textures/wood.png", "WOOD.PNG", "x.Png", "png"}) {
    ImageReader* reader = nullptr;
    ASSERT_EQ(CreateImageReader(name, &reader), S_OK) << name;
    ASSERT_NE(reader, nullptr);
    uint32_t width = 0;
    uint32_t height = 0;
    // Only the PNG reader understands the PNG bytes.
    EXPECT_EQ(reader->ReadImage(png.data(), png.size(), nullptr, &width, &height), S_OK) << name;
    reader->Release();
  }
  ImageReader* gif = nullptr;
  ASSERT_EQ(CreateImageReader("SKY.GIF", &gif), S_OK);
  uint32_t width = 0;
  uint32_t height = 0;
  EXPECT_EQ(gif->ReadImage(png.data(), png.size(), nullptr, &width, &height), E_FAIL);
  gif->Release();
}

TEST(CreateImageReader, RefusesOtherEndingsAndShortNames) {
  for (const char* name : {"photo.jpg", "pn", "", "image.pngx"}) {
    ImageReader* reader = reinterpret_cast<ImageReader*>(&name);
    EXPECT_EQ(CreateImageReader(name, &reader), E_NOINTERFACE) << name;
    EXPECT_EQ(reader, nullptr);
  }
  EXPECT_EQ(CreateImageReader("a.png", nullptr), E_POINTER);
}

TEST(ImageReader, AnswersOnlyTheUnknownIdentityAndCountsReferences) {
  ImageReader* reader = nullptr;
  ASSERT_EQ(CreateImageReader("a.png", &reader), S_OK);
  void* object = nullptr;
  EXPECT_EQ(reader->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  ASSERT_EQ(reader->QueryInterface(IID_IUnknown, &object), S_OK);
  EXPECT_EQ(object, reader);
  const IID other{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  EXPECT_EQ(reader->QueryInterface(other, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(reader->AddRef(), 3u);  // creation, the query, this call
  EXPECT_EQ(reader->Release(), 2u);
  EXPECT_EQ(reader->Release(), 1u);
  EXPECT_EQ(reader->Release(), 0u);
}

TEST(ImageReader, DimensionQueryNeedsBothReferences) {
  const std::vector<uint8_t> png = OnePixelPng();
  PngImageReader* reader = new PngImageReader();
  uint32_t width = 0;
  EXPECT_EQ(reader->ReadImage(png.data(), png.size(), nullptr, &width, nullptr), E_POINTER);
  EXPECT_EQ(reader->ReadImage(png.data(), png.size(), nullptr, nullptr, &width), E_POINTER);
  reader->Release();
}

TEST(ImageReader, DecodeWithoutQueryTakesAndChecksTheCallersDimensions) {
  const std::vector<uint8_t> png = OnePixelPng();
  std::vector<uint8_t> pixels(8, 0);
  uint32_t width = 2;
  uint32_t height = 1;
  PngImageReader* wrong = new PngImageReader();
  EXPECT_EQ(wrong->ReadImage(png.data(), png.size(), pixels.data(), &width, &height), E_FAIL);
  wrong->Release();

  width = 1;
  PngImageReader* right = new PngImageReader();
  ASSERT_EQ(right->ReadImage(png.data(), png.size(), pixels.data(), &width, &height), S_OK);
  EXPECT_EQ(std::vector<uint8_t>(pixels.begin(), pixels.begin() + 4),
            (std::vector<uint8_t>{30, 20, 10, 1}));
  right->Release();
}

}  // namespace
