// The pictures family as the demo's effects use it: which entries exist, how the image
// reader sees them, and the properties their effects rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "families.h"
#include "support/decoded_image.h"

namespace {
const std::vector<ArchiveEntry>& Entries() {
  static const std::vector<ArchiveEntry> entries = MakePictureEntries();
  return entries;
}

const ArchiveEntry& Entry(const std::string& name) {
  const auto found = std::find_if(Entries().begin(), Entries().end(),
                                  [&](const ArchiveEntry& entry) { return entry.name == name; });
  if (found == Entries().end()) throw std::runtime_error("no entry " + name);
  return *found;
}

// The colour type byte of a PNG's header chunk: 0 grey, 2 RGB, 6 RGBA.
int PngColourType(const std::vector<uint8_t>& png) { return png.at(25); }

struct Texels {
  DecodedImage image;
  int width() const { return static_cast<int>(image.width); }
  int height() const { return static_cast<int>(image.height); }
  // Channel 0 blue, 1 green, 2 red, 3 alpha.
  int at(int x, int y, int channel) const {
    return image.pixels[(static_cast<size_t>(y) * image.width + x) * 4 + channel];
  }
  int Brightest(int x, int y) const { return std::max({at(x, y, 0), at(x, y, 1), at(x, y, 2)}); }
};

Texels Decode(const std::string& name) {
  Texels texels{DecodeImage(name, Entry(name).bytes)};
  EXPECT_EQ(texels.image.result, 0) << name;
  return texels;
}

// Calls `visit(x, y)` for every texel of the outermost ring.
template <typename Visit>
void ForEachBorderTexel(const Texels& texels, Visit visit) {
  for (int x = 0; x < texels.width(); ++x) visit(x, 0), visit(x, texels.height() - 1);
  for (int y = 0; y < texels.height(); ++y) visit(0, y), visit(texels.width() - 1, y);
}

std::vector<std::string> Numbered(const std::string& prefix, int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) {
    names.push_back(prefix + (i < 10 ? "0" : "") + std::to_string(i) + ".png");
  }
  return names;
}

std::vector<std::string> BlendedPictures() {
  std::vector<std::string> names = Numbered("i", 11);
  names.push_back("ckpres.png");
  return names;
}

std::vector<std::string> OpaqueOnBlackPictures() { return {"flare.png"}; }

bool IsPowerOfTwo(int value) { return value > 0 && (value & (value - 1)) == 0; }

TEST(Pictures, AreExactlyTheStreamsTheEffectsLoad) {
  std::vector<std::string> expected = BlendedPictures();
  for (const std::string& name : OpaqueOnBlackPictures()) expected.push_back(name);
  for (const std::string& name : Numbered("f", 4)) expected.push_back(name);
  expected.push_back("static2.png");
  std::vector<std::string> actual;
  for (const ArchiveEntry& entry : Entries()) {
    EXPECT_FALSE(entry.isStorage) << entry.name;
    actual.push_back(entry.name);
  }
  std::sort(expected.begin(), expected.end());
  std::sort(actual.begin(), actual.end());
  EXPECT_EQ(actual, expected);
}

TEST(Pictures, DecodeWithPowerOfTwoSidesACardOfTheTimeTakes) {
  for (const ArchiveEntry& entry : Entries()) {
    const Texels texels = Decode(entry.name);
    EXPECT_TRUE(IsPowerOfTwo(texels.width()) && IsPowerOfTwo(texels.height())) << entry.name;
    EXPECT_GE(std::min(texels.width(), texels.height()), 64) << entry.name;
    EXPECT_LE(std::max(texels.width(), texels.height()), 512) << entry.name;
  }
}

TEST(Pictures, GenerateTheSameBytesEveryTime) {
  const std::vector<ArchiveEntry> again = MakePictureEntries();
  ASSERT_EQ(again.size(), Entries().size());
  for (size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].name, Entries()[i].name);
    EXPECT_TRUE(again[i].bytes == Entries()[i].bytes) << again[i].name;
  }
}

// The intro blends its pictures by their alpha over the static, with wrapping texture
// addressing: they need real transparency, solid ink, and a clear outermost ring so that
// filtering never pulls in the opposite edge.
TEST(Pictures, BlendedPicturesHaveMeaningfulAlphaAndClearBorders) {
  for (const std::string& name : BlendedPictures()) {
    EXPECT_EQ(PngColourType(Entry(name).bytes), 6) << name;
    const Texels texels = Decode(name);
    int clear = 0, solid = 0;
    for (int y = 0; y < texels.height(); ++y) {
      for (int x = 0; x < texels.width(); ++x) {
        const int alpha = texels.at(x, y, 3);
        clear += alpha == 0;
        solid += alpha >= 240;
      }
    }
    const int area = texels.width() * texels.height();
    EXPECT_GT(clear, area / 10) << name;
    EXPECT_GT(solid, area / 100) << name;
    ForEachBorderTexel(texels, [&](int x, int y) {
      EXPECT_EQ(texels.at(x, y, 3), 0) << name << " at " << x << "," << y;
    });
  }
}

// Transparent texels next to ink carry the ink's colour, not black, so that bilinear
// filtering draws no dark rim around light shapes over the static.
TEST(Pictures, BlendedPicturesHaveNoDarkFringes) {
  for (const std::string& name : BlendedPictures()) {
    const Texels texels = Decode(name);
    int clearNextToInk = 0, darkClearNextToLightInk = 0;
    for (int y = 1; y + 1 < texels.height(); ++y) {
      for (int x = 1; x + 1 < texels.width(); ++x) {
        if (texels.at(x, y, 3) != 0 || texels.at(x + 1, y, 3) == 0) continue;
        ++clearNextToInk;
        if (texels.Brightest(x + 1, y) > 200 && texels.Brightest(x, y) < 100) {
          ++darkClearNextToLightInk;
        }
      }
    }
    EXPECT_GT(clearNextToInk, 0) << name;
    EXPECT_EQ(darkClearNextToLightInk, 0) << name;
  }
}

// The flare is added to the picture: colour on black, black at the border.
TEST(Pictures, OpaquePicturesAreColourOnBlackWithBlackBorders) {
  for (const std::string& name : OpaqueOnBlackPictures()) {
    EXPECT_EQ(PngColourType(Entry(name).bytes), 2) << name;
    const Texels texels = Decode(name);
    int lit = 0;
    for (int y = 0; y < texels.height(); ++y) {
      for (int x = 0; x < texels.width(); ++x) lit += texels.Brightest(x, y) > 128;
    }
    EXPECT_GT(lit, 20) << name;
    ForEachBorderTexel(texels, [&](int x, int y) {
      EXPECT_LE(texels.Brightest(x, y), 2) << name << " at " << x << "," << y;
    });
  }
}

// The closing cards are the only thing on screen for the last half minute, blended by their
// alpha over black: each is lit paper, opaque but for its rounded corners, and bright
// enough over its whole area that the small ones still light the screen.
TEST(Pictures, ClosingCardsAreBrightOpaquePaperWithClearCorners) {
  for (const std::string& name : Numbered("f", 4)) {
    EXPECT_EQ(PngColourType(Entry(name).bytes), 6) << name;
    const Texels texels = Decode(name);
    double light = 0;
    for (int y = 0; y < texels.height(); ++y) {
      for (int x = 0; x < texels.width(); ++x) {
        const int alpha = texels.at(x, y, 3);
        light += (texels.at(x, y, 0) + texels.at(x, y, 1) + texels.at(x, y, 2)) * alpha;
      }
    }
    EXPECT_GT(light / (3.0 * 255 * 255 * texels.width() * texels.height()), 0.85) << name;
    EXPECT_EQ(texels.at(0, 0, 3), 0) << name;
    EXPECT_GE(texels.at(texels.width() / 2, texels.height() / 2, 3), 250) << name;
  }
}

TEST(Pictures, FlareIsBrightestAtItsCentre) {
  const Texels flare = Decode("flare.png");
  const int middle = flare.width() / 2;
  EXPECT_GE(flare.Brightest(middle, middle), 250);
  EXPECT_LT(flare.Brightest(middle + flare.width() / 4, middle + flare.width() / 4), 128);
}

struct NoiseStatistics {
  double mean = 0, deviation = 0;
};

NoiseStatistics Statistics(const Texels& texels) {
  double sum = 0, squares = 0;
  const double count = static_cast<double>(texels.width()) * texels.height();
  for (int y = 0; y < texels.height(); ++y) {
    for (int x = 0; x < texels.width(); ++x) {
      sum += texels.at(x, y, 0);
      squares += texels.at(x, y, 0) * texels.at(x, y, 0);
    }
  }
  const double mean = sum / count;
  return {mean, std::sqrt(squares / count - mean * mean)};
}

// Mean difference between texel (x, y) and its neighbour (x + dx, y + dy), wrapped, over
// the texels whose neighbour lies across the wrap (`acrossSeam`) or not.
double MeanStep(const Texels& texels, int dx, int dy, bool acrossSeam) {
  double sum = 0;
  int count = 0;
  for (int y = 0; y < texels.height(); ++y) {
    for (int x = 0; x < texels.width(); ++x) {
      const int nx = x + dx, ny = y + dy;
      if ((nx == texels.width() || ny == texels.height()) != acrossSeam) continue;
      sum += std::abs(texels.at(x, y, 0) - texels.at(nx % texels.width(), ny % texels.height(), 0));
      ++count;
    }
  }
  return sum / count;
}

TEST(Pictures, StaticIsGreySnowThatTilesSeamlessly) {
  EXPECT_EQ(PngColourType(Entry("static2.png").bytes), 0);
  const Texels noise = Decode("static2.png");
  const NoiseStatistics statistics = Statistics(noise);
  EXPECT_GT(statistics.mean, 80);
  EXPECT_LT(statistics.mean, 150);
  EXPECT_GT(statistics.deviation, 40);
  for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
    const double inside = MeanStep(noise, dx, dy, false);
    const double seam = MeanStep(noise, dx, dy, true);
    EXPECT_NEAR(seam / inside, 1.0, 0.15) << "step " << dx << "," << dy;
  }
}
}  // namespace
