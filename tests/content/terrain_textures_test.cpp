// The terrain flight's pictures: sizes, tiling where the effect wraps them, the strips'
// alpha, and the archive entries they are stored as.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "families.h"
#include "kit/pixel_image.h"
#include "terrain/landscape_textures.h"
#include "terrain/side_strip_picture.h"
#include "terrain/sky_texture.h"

namespace {

int Difference(const Rgba8& a, const Rgba8& b) {
  return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) + std::abs(a.a - b.a);
}

// Mean change from one column to the next, and across the wrap from the last to the first.
struct Steps {
  double inside = 0;
  double acrossWrap = 0;
};

Steps ColumnSteps(const PixelImage& image) {
  Steps steps;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x + 1 < image.width(); ++x) {
      steps.inside += Difference(image.at(x, y), image.at(x + 1, y));
    }
    steps.acrossWrap += Difference(image.at(image.width() - 1, y), image.at(0, y));
  }
  steps.inside /= static_cast<double>(image.height()) * (image.width() - 1);
  steps.acrossWrap /= image.height();
  return steps;
}

PixelImage Transposed(const PixelImage& image) {
  PixelImage turned(image.height(), image.width());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) turned.at(y, x) = image.at(x, y);
  }
  return turned;
}

// A seam no stronger than an ordinary step between neighbouring pixels.
void ExpectTilesAcrossColumns(const PixelImage& image) {
  const Steps steps = ColumnSteps(image);
  EXPECT_GT(steps.inside, 0.0);
  EXPECT_LE(steps.acrossWrap, 1.5 * steps.inside + 1.0);
}

bool IsPowerOfTwo(int value) { return value > 0 && (value & (value - 1)) == 0; }

double MeanGrey(const PixelImage& image) {
  double sum = 0;
  for (const Rgba8& pixel : image.pixels()) sum += (pixel.r + pixel.g + pixel.b) / 3.0;
  return sum / image.pixels().size() / 255.0;
}

TEST(TerrainTextures, HaveCardFriendlySizes) {
  for (const PixelImage& image : {MakeHeightRamp(), MakeDetailGrain(), MakeCloudSky()}) {
    EXPECT_EQ(image.width(), 256);
    EXPECT_EQ(image.height(), 256);
  }
  const PixelImage strip = MakeSideStripPicture();
  EXPECT_TRUE(IsPowerOfTwo(strip.width()) && IsPowerOfTwo(strip.height()));
  EXPECT_LE(strip.width(), 512);
  // Long along the strip: 0.7 of its length covers the screen's height.
  EXPECT_GE(strip.width(), 4 * strip.height());
}

TEST(TerrainTextures, RepeatedTexturesTileBothWays) {
  for (const PixelImage& image : {MakeDetailGrain(), MakeCloudSky()}) {
    ExpectTilesAcrossColumns(image);
    ExpectTilesAcrossColumns(Transposed(image));
  }
}

TEST(TerrainTextures, StripScrollsSeamlesslyAlongItsLength) {
  ExpectTilesAcrossColumns(MakeSideStripPicture());
}

// The detail stage multiplies the ramp by the grain: it must brighten as much as it darkens
// around a level close to white, or the landscape turns murky.
TEST(TerrainTextures, DetailGrainIsBrightOnAverage) {
  const PixelImage grain = MakeDetailGrain();
  EXPECT_GT(MeanGrey(grain), 0.7);
  EXPECT_LT(MeanGrey(grain), 0.92);
  for (const Rgba8& pixel : grain.pixels()) {
    ASSERT_EQ(pixel.r, pixel.g);
    ASSERT_EQ(pixel.g, pixel.b);
  }
}

// Row 0 of the ramp is the highest ground (snow), the last row the lowest (no snow there).
TEST(TerrainTextures, RampRunsFromSnowDownToValleyGround) {
  const PixelImage ramp = MakeHeightRamp();
  PixelImage summit(ramp.width(), 8), valley(ramp.width(), 8), meadow(ramp.width(), 1);
  for (int x = 0; x < ramp.width(); ++x) {
    for (int y = 0; y < 8; ++y) {
      summit.at(x, y) = ramp.at(x, y);
      valley.at(x, y) = ramp.at(x, ramp.height() - 1 - y);
    }
    // v = 1.01 - height: ground at 45 % of the height scale, where the valley floor runs.
    meadow.at(x, 0) = ramp.at(x, static_cast<int>((1.01f - 0.45f) * ramp.height()));
  }
  EXPECT_GT(MeanGrey(summit), 0.88);
  EXPECT_LT(MeanGrey(valley), 0.7);
  for (const Rgba8& pixel : meadow.pixels()) {
    ASSERT_GT(pixel.g, pixel.r);
    ASSERT_GT(pixel.g, pixel.b);
  }
}

// The strips are blended with the picture's alpha and stored at 4 bits per channel.
TEST(TerrainTextures, StripIsTranslucentWithSolidMarks) {
  const PixelImage strip = MakeSideStripPicture();
  int translucent = 0, solid = 0, shown = 0;
  for (int y = 4; y < 60; ++y) {  // the rows between v = 0.05 and v = 0.95
    for (int x = 0; x < strip.width(); ++x) {
      const Rgba8 pixel = strip.at(x, y);
      ++shown;
      if (pixel.a == 255) ++solid;
      if (pixel.a > 0 && pixel.a < 255) ++translucent;
    }
  }
  EXPECT_GT(translucent, shown / 2);
  EXPECT_GT(solid, shown / 20);
}

TEST(TerrainTextures, StripLevelsSurviveFourBitStorage) {
  const PixelImage strip = MakeSideStripPicture();
  int offGrid = 0;
  for (const Rgba8& pixel : strip.pixels()) {
    for (uint8_t level : {pixel.r, pixel.g, pixel.b, pixel.a}) offGrid += level % 17 != 0 ? 1 : 0;
  }
  // Anti-aliased edges fall between levels; flat areas must not.
  const int channels = static_cast<int>(strip.pixels().size()) * 4;
  EXPECT_LT(offGrid, channels / 10);
}

struct PngHeader {
  uint32_t width = 0, height = 0;
  int colourType = -1;
};

PngHeader ReadPngHeader(const std::vector<uint8_t>& bytes) {
  PngHeader header;
  if (bytes.size() < 26 || bytes[1] != 'P' || bytes[12] != 'I' || bytes[15] != 'R') return header;
  const auto word = [&bytes](size_t at) {
    return static_cast<uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
           bytes[at + 3];
  };
  header.width = word(16);
  header.height = word(20);
  header.colourType = bytes[25];
  return header;
}

const ArchiveEntry* FindEntry(const std::vector<ArchiveEntry>& entries, const std::string& name) {
  for (const ArchiveEntry& entry : entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

TEST(TerrainEntries, StoreEveryPictureTheEffectLoads) {
  const std::vector<ArchiveEntry> entries = MakeTerrainEntries();
  ASSERT_EQ(entries.size(), 5u);
  const ArchiveEntry* heights = FindEntry(entries, "land1.raw");
  ASSERT_NE(heights, nullptr);
  EXPECT_EQ(heights->bytes.size(), 64u * 64u);
  constexpr int kGrey = 0, kRgb = 2, kRgba = 6;
  const struct {
    const char* name;
    uint32_t width, height;
    int colourType;
  } pictures[] = {{"terrain.png", 256, 256, kRgb},
                  {"detail.png", 256, 256, kGrey},
                  {"clouds.png", 256, 256, kRgb},
                  {"ditp.png", 512, 64, kRgba}};
  for (const auto& picture : pictures) {
    const ArchiveEntry* entry = FindEntry(entries, picture.name);
    ASSERT_NE(entry, nullptr) << picture.name;
    EXPECT_FALSE(entry->isStorage);
    const PngHeader header = ReadPngHeader(entry->bytes);
    EXPECT_EQ(header.width, picture.width) << picture.name;
    EXPECT_EQ(header.height, picture.height) << picture.name;
    EXPECT_EQ(header.colourType, picture.colourType) << picture.name;
  }
}

TEST(TerrainEntries, AreTheSameBytesEveryTime) {
  const std::vector<ArchiveEntry> first = MakeTerrainEntries();
  const std::vector<ArchiveEntry> second = MakeTerrainEntries();
  ASSERT_EQ(first.size(), second.size());
  for (size_t index = 0; index < first.size(); ++index) {
    EXPECT_EQ(first[index].name, second[index].name);
    EXPECT_EQ(first[index].bytes, second[index].bytes) << first[index].name;
  }
}

}  // namespace
