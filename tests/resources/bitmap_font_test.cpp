#include "resources/bitmap_font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "base/demo_error.h"
#include "support/compound_file.h"
#include "support/context_fixture.h"
#include "support/demo_archive.h"
#include "render/recording/recording_device.h"
#include "support/temp_dir.h"

namespace {

struct FontVertex {
  float x, y, z, rhw;
  DWORD colour;
  float u, v;
};

// Opens an archive of `builder`'s entries as a root storage (the caller releases it).
IStorage* OpenTestArchive(const CompoundFileBuilder& builder, const TempDir& directory) {
  const std::string path = directory.File("font.dat");
  if (!builder.Write(path)) return nullptr;
  IStorage* storage = nullptr;
  OpenArchive(ArchiveEntryName(path).c_str(), &storage);
  return storage;
}

// A font over a device that records what it is asked to draw.
class BitmapFontTest : public testing::Test {
 protected:
  void SetUp() override {
    CreateTextureManager(&textures_, nullptr, device_);
    archive_ = OpenTestArchive(DemoArchive(), directory_);
    ASSERT_NE(archive_, nullptr);
    font_ = std::make_unique<BitmapFont>(device_, textures_, screenWidth_, screenHeight_);
    font_->LoadFont(archive_);
    device_->Clear();
  }
  void TearDown() override {
    font_->FreeFont();
    SafeRelease(archive_);
    SafeRelease(textures_);
    SafeRelease(device_);
  }

  // The vertices of every draw of the last DrawString, in order.
  std::vector<FontVertex> DrawnVertices() const {
    std::vector<FontVertex> vertices;
    for (const RecordedCall& draw : device_->Find("DrawPrimitive")) {
      const size_t first = vertices.size();
      vertices.resize(first + draw.vertices.size() / sizeof(FontVertex));
      std::memcpy(&vertices[first], draw.vertices.data(), draw.vertices.size());
    }
    return vertices;
  }

  TempDir directory_;
  RecordingDevice* device_ = new RecordingDevice(640, 480);
  CTextureManager* textures_ = nullptr;
  IStorage* archive_ = nullptr;
  uint32_t screenWidth_ = 640, screenHeight_ = 480;
  std::unique_ptr<BitmapFont> font_;
};

TEST_F(BitmapFontTest, GlyphRectanglesComeFromTheTableWithHalfTexelInsets) {
  const std::vector<GlyphRect>& glyphs = font_->glyphs();
  ASSERT_EQ(glyphs.size(), 26u);
  const GlyphRect& a = glyphs['a' - 'a'];
  EXPECT_FLOAT_EQ(a.uMin, 0.5f / 256);
  EXPECT_FLOAT_EQ(a.vMin, 0.5f / 128);
  EXPECT_FLOAT_EQ(a.uMax, 0.5f / 256 + 32.0f / 256);
  EXPECT_FLOAT_EQ(a.vMax, 0.5f / 128 + 43.0f / 128);
  const GlyphRect& h = glyphs['h' - 'a'];
  EXPECT_FLOAT_EQ(h.uMin, 188.5f / 256);
  EXPECT_FLOAT_EQ(h.vMin, 86.5f / 128);
  const GlyphRect& b = glyphs['b' - 'a'];  // no row for b: an empty rectangle
  EXPECT_EQ(b.uMin, 0.0f);
  EXPECT_EQ(b.uMax, 0.0f);
}

TEST_F(BitmapFontTest, AStringFillsItsBoxExactly) {
  font_->DrawString("here", 0xFF123456u, 0.25f, 0.5f, 0.5f, 0.25f);
  const std::vector<FontVertex> vertices = DrawnVertices();
  ASSERT_EQ(vertices.size(), 4u * 6u);
  EXPECT_FLOAT_EQ(vertices.front().x, 160.0f);
  EXPECT_FLOAT_EQ(vertices.front().y, 240.0f);
  EXPECT_NEAR(vertices[vertices.size() - 5].x, 480.0f, 1e-3f);  // last letter's right edge
  EXPECT_FLOAT_EQ(vertices.back().y, 360.0f);
  for (size_t letter = 1; letter < 4; ++letter) {  // each letter starts where the last ended
    EXPECT_NEAR(vertices[letter * 6].x, vertices[letter * 6 - 5].x, 1e-3f);
  }
  EXPECT_EQ(vertices.front().colour, 0xFF123456u);
  const GlyphRect& h = font_->glyphs()['h' - 'a'];
  EXPECT_FLOAT_EQ(vertices[0].u, h.uMin);
  EXPECT_FLOAT_EQ(vertices[2].u, h.uMax);
  EXPECT_FLOAT_EQ(vertices[2].v, h.vMax);
}

TEST_F(BitmapFontTest, ASpaceIsAFixedShareOfTheTextureSpan) {
  font_->DrawString("a a", 0xFFFFFFFFu, 0, 0, 1, 1);
  const std::vector<FontVertex> vertices = DrawnVertices();
  ASSERT_EQ(vertices.size(), 12u);
  const float letter = vertices[1].x - vertices[0].x;
  const float gap = vertices[6].x - vertices[1].x;
  const GlyphRect& a = font_->glyphs()[0];
  EXPECT_NEAR(gap / letter, 0.05f / (a.uMax - a.uMin), 1e-4f);
  EXPECT_NEAR(vertices[7].x, 640.0f, 1e-3f);
}

TEST_F(BitmapFontTest, CharactersWithoutGlyphsTakeNoRoom) {
  font_->DrawString("he", 0xFFFFFFFFu, 0, 0, 1, 1);
  const std::vector<FontVertex> plain = DrawnVertices();
  device_->Clear();
  font_->DrawString("hBb3e!", 0xFFFFFFFFu, 0, 0, 1, 1);
  const std::vector<FontVertex> mixed = DrawnVertices();
  ASSERT_EQ(mixed.size(), plain.size());
  for (size_t i = 0; i < plain.size(); ++i) EXPECT_FLOAT_EQ(mixed[i].x, plain[i].x);

  device_->Clear();
  font_->DrawString("BQ", 0xFFFFFFFFu, 0, 0, 1, 1);  // nothing with width: nothing drawn
  EXPECT_TRUE(device_->Find("DrawPrimitive").empty());
}

TEST_F(BitmapFontTest, LongStringsAreDrawnInBatchesOf32Letters) {
  font_->DrawString(std::string(40, 'a') + " " + std::string(30, 'e'), 0xFFFFFFFFu, 0, 0, 1, 1);
  const std::vector<RecordedCall> draws = device_->Find("DrawPrimitive");
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].args[2], 192u);
  EXPECT_EQ(draws[1].args[2], 192u);
  EXPECT_EQ(draws[2].args[2], 6u * 6u);
  const std::vector<FontVertex> vertices = DrawnVertices();
  EXPECT_NEAR(vertices[vertices.size() - 5].x, 640.0f, 1e-2f);
}

TEST_F(BitmapFontTest, AnEmptyStringSetsTheStatesAndDrawsNothing) {
  font_->DrawString("", 0xFFFFFFFFu, 0, 0, 1, 1);
  EXPECT_TRUE(device_->Find("DrawPrimitive").empty());
  const std::vector<std::string> expected{
      "SetRenderState", "SetRenderState",       "SetRenderState",       "SetRenderState",
      "SetRenderState", "SetTextureStageState", "SetTextureStageState", "SetTextureStageState",
      "SetRenderState", "SetRenderState",       "SetTextureStageState", "SetTextureStageState",
      "SetTextureStageState", "SetTexture",     "SetRenderState",       "SetRenderState",
      "SetRenderState"};
  EXPECT_EQ(device_->CallNames(), expected);
  const std::vector<RecordedCall> states = device_->Find("SetRenderState");
  const std::vector<std::vector<DWORD>> values{
      {D3DRENDERSTATE_LIGHTING, 0},         {D3DRENDERSTATE_ZWRITEENABLE, 0},
      {D3DRENDERSTATE_ALPHATESTENABLE, 0},  {D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA},
      {D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE}, {D3DRENDERSTATE_ZENABLE, 0},
      {D3DRENDERSTATE_ALPHABLENDENABLE, 1}, {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},
      {D3DRENDERSTATE_ZENABLE, 1},          {D3DRENDERSTATE_CULLMODE, D3DCULL_CCW}};
  ASSERT_EQ(states.size(), values.size());
  for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(states[i].args, values[i]) << i;
  DWORD op = 0;
  device_->GetTextureStageState(0, D3DTSS_ALPHAOP, &op);
  EXPECT_EQ(op, D3DTOP_MODULATE);
}

TEST(BitmapFontLoadTest, AMissingOrShortFontEntryStopsTheDemo) {
  TempDir directory;
  RecordingDevice* device = new RecordingDevice();
  CTextureManager* textures = nullptr;
  CreateTextureManager(&textures, nullptr, device);
  uint32_t width = 640, height = 480;
  BitmapFont font(device, textures, width, height);

  CompoundFileBuilder withoutFont;
  withoutFont.AddStream("readme", "x");
  IStorage* archive = OpenTestArchive(withoutFont, directory);
  try {
    font.LoadFont(archive);
    ADD_FAILURE() << "a missing font was accepted";
  } catch (const demoError& error) {
    EXPECT_EQ(std::string(error.message()).rfind("Cannot open bwfont.raw: ", 0), 0u)
        << error.message();
  }
  SafeRelease(archive);

  CompoundFileBuilder shortFont;
  shortFont.AddStream("bwfont.raw", std::vector<uint8_t>(1000, 255));
  archive = OpenTestArchive(shortFont, directory);
  EXPECT_THROW(font.LoadFont(archive), demoError);
  SafeRelease(archive);
  SafeRelease(textures);
  SafeRelease(device);
}

class BitmapFontTextureTest : public ContextFixture {};

TEST_F(BitmapFontTextureTest, TheFontBecomesA4444TextureNamedBwfont) {
  TempDir directory;
  CTextureManager* textures = nullptr;
  IDirectDraw7* directDraw = context_->GetDD();
  CreateTextureManager(&textures, directDraw, device_);
  directDraw->Release();
  IStorage* archive = OpenTestArchive(DemoArchive(), directory);
  uint32_t width = 640, height = 480;
  BitmapFont font(device_, textures, width, height);
  font.LoadFont(archive);

  IDirectDrawSurface7* texture = textures->GetTexture("bwfont");
  ASSERT_NE(texture, nullptr);
  DDSURFACEDESC2 description{};
  texture->GetSurfaceDesc(&description);
  EXPECT_EQ(description.dwWidth, 256u);
  EXPECT_EQ(description.dwHeight, 128u);
  EXPECT_EQ(description.format, D3DX_SF_A4R4G4B4);
  EXPECT_GT(description.dwMipMapCount, 1u);
  texture->Release();

  font.FreeFont();
  EXPECT_EQ(textures->GetTexture("bwfont"), nullptr);
  EXPECT_TRUE(font.glyphs().empty());
  SafeRelease(archive);
  SafeRelease(textures);
}

}  // namespace
