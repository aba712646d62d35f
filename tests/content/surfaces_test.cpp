// The effect textures: what each effect relies on when it loads, wraps, blends or reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "families.h"
#include "surfaces/blob_environment.h"
#include "surfaces/dark_flares.h"
#include "surfaces/dna_texture.h"
#include "surfaces/tetradoom_face.h"
#include "surfaces/tunnel_title.h"
#include "surfaces/vent_shaft.h"

namespace {

struct PngHeader {
  uint32_t width = 0;
  uint32_t height = 0;
  int colourType = -1;  // 0 grey, 2 RGB, 6 RGBA
};

uint32_t BigEndian(const std::vector<uint8_t>& bytes, size_t at) {
  return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
         (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

PngHeader ReadPngHeader(const std::vector<uint8_t>& bytes) {
  const std::vector<uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 33 || !std::equal(signature.begin(), signature.end(), bytes.begin()))
    return {};
  return {BigEndian(bytes, 16), BigEndian(bytes, 20), bytes[25]};
}

float Luminance(Rgba8 pixel) {
  return (0.3f * pixel.r + 0.59f * pixel.g + 0.11f * pixel.b) / 255.0f;
}

float Difference(Rgba8 a, Rgba8 b) {
  return (std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) + std::abs(a.a - b.a)) /
         4.0f;
}

// Mean step between neighbouring columns (or rows) of `image`: the step across the wrap
// (last line to first) and the median of all the others.
struct Steps {
  float acrossWrap = 0;
  float typical = 0;
};

Steps LineSteps(const PixelImage& image, bool betweenRows) {
  const int lines = betweenRows ? image.height() : image.width();
  const int length = betweenRows ? image.width() : image.height();
  std::vector<float> steps;
  for (int line = 0; line < lines; ++line) {
    float sum = 0;
    for (int k = 0; k < length; ++k) {
      sum += betweenRows ? Difference(image.wrapped(k, line), image.wrapped(k, line + 1))
                         : Difference(image.wrapped(line, k), image.wrapped(line + 1, k));
    }
    steps.push_back(sum / static_cast<float>(length));
  }
  Steps result;
  result.acrossWrap = steps.back();
  steps.pop_back();
  std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
  result.typical = steps[steps.size() / 2];
  return result;
}

void ExpectSeamless(const PixelImage& image) {
  for (const bool betweenRows : {false, true}) {
    const Steps steps = LineSteps(image, betweenRows);
    EXPECT_LE(steps.acrossWrap, 1.6f * steps.typical + 0.3f)
        << (betweenRows ? "top and bottom rows" : "left and right columns") << " do not join";
  }
}

// The family's entries, generated once for the tests that only read them.
const std::vector<ArchiveEntry>& GeneratedEntries() {
  static const std::vector<ArchiveEntry> entries = MakeSurfaceEntries();
  return entries;
}

TEST(SurfaceEntries, CarryTheNamesSizesAndChannelsTheEffectsLoad) {
  // RGBA exactly where the effect loads the alpha format and blends by the texture's alpha.
  const std::map<std::string, PngHeader> expected{
      {"tunnel.png", {512, 256, 2}},     {"darkFlare.png", {128, 128, 6}},
      {"f2back.png", {256, 256, 2}},     {"ckenv.png", {256, 256, 2}},
      {"vent_shaft.png", {256, 256, 2}}, {"fence.png", {256, 256, 6}},
      {"tetradoom.png", {256, 256, 6}},
  };
  std::map<std::string, std::vector<uint8_t>> entries;
  for (const ArchiveEntry& entry : GeneratedEntries()) {
    EXPECT_FALSE(entry.isStorage) << entry.name;
    entries[entry.name] = entry.bytes;
  }
  ASSERT_EQ(entries.size(), expected.size() + 1);
  ASSERT_EQ(entries.count("dnatex.raw"), 1u);
  EXPECT_EQ(entries["dnatex.raw"].size(), 256u * 256u);
  for (const auto& [name, want] : expected) {
    ASSERT_EQ(entries.count(name), 1u) << name;
    const PngHeader header = ReadPngHeader(entries[name]);
    EXPECT_EQ(header.width, want.width) << name;
    EXPECT_EQ(header.height, want.height) << name;
    EXPECT_EQ(header.colourType, want.colourType) << name;
  }
}

TEST(SurfaceEntries, AreTheSameBytesOnEveryRun) {
  const std::vector<ArchiveEntry>& first = GeneratedEntries();
  const std::vector<ArchiveEntry> second = MakeSurfaceEntries();
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].name, second[i].name);
    EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].name;
  }
}

TEST(DnaTexture, IsAFullIntensityTableWithRingsDownItsRows) {
  const std::vector<uint8_t> texture = surfaces::MakeDnaTexture();
  ASSERT_EQ(texture.size(), 65536u);
  const auto [darkest, brightest] = std::minmax_element(texture.begin(), texture.end());
  // Never black (the tube must not vanish where it is lit), with a wide range of relief.
  EXPECT_GE(*darkest, 32);
  EXPECT_GE(*brightest - *darkest, 150);

  // Rings: the mean of each row rises and falls many times down the panel.
  std::vector<float> rowMeans(256);
  for (int row = 0; row < 256; ++row) {
    float sum = 0;
    for (int column = 0; column < 256; ++column) sum += texture[row * 256 + column];
    rowMeans[row] = sum / 256.0f;
  }
  int crests = 0;
  for (int row = 1; row < 255; ++row) {
    if (rowMeans[row] > rowMeans[row - 1] && rowMeans[row] >= rowMeans[row + 1] &&
        rowMeans[row] > 128.0f) {
      ++crests;
    }
  }
  EXPECT_GE(crests, 16);
  EXPECT_LE(crests, 40);
}

TEST(VentShaftTextures, TileAroundAndAlongTheShaft) {
  ExpectSeamless(surfaces::MakeVentWall());
  ExpectSeamless(surfaces::MakeVentFence());
}

TEST(VentShaftTextures, TheGratingHasRealHolesAndSolidWire) {
  const PixelImage fence = surfaces::MakeVentFence();
  const auto& pixels = fence.pixels();
  const auto share = [&](auto predicate) {
    return static_cast<float>(std::count_if(pixels.begin(), pixels.end(), predicate)) /
           static_cast<float>(pixels.size());
  };
  EXPECT_GE(share([](Rgba8 p) { return p.a == 0; }), 0.35f);
  EXPECT_GE(share([](Rgba8 p) { return p.a == 255; }), 0.2f);
}

TEST(DarkFlareSprite, IsADarkDiscInAFullyTransparentBorder) {
  const PixelImage flare = surfaces::MakeDarkFlare();
  const int last = flare.width() - 1;
  for (int k = 0; k <= last; ++k) {
    EXPECT_EQ(flare.at(k, 0).a, 0);
    EXPECT_EQ(flare.at(k, last).a, 0);
    EXPECT_EQ(flare.at(0, k).a, 0);
    EXPECT_EQ(flare.at(last, k).a, 0);
  }
  const Rgba8 centre = flare.at(flare.width() / 2, flare.height() / 2);
  EXPECT_GE(centre.a, 230);
  EXPECT_LT(Luminance(centre), 0.05f);
}

TEST(TetradoomFace, GlowsAlongTheCutEachTriangleSamplesAndIsClearOutsideIt) {
  const PixelImage face = surfaces::MakeTetradoomFace();
  const float size = static_cast<float>(surfaces::kTetradoomFaceSize);
  const float pixel = 1.0f / size;
  float edgeAlpha = 0, edgeCount = 0;
  for (int y = 0; y < face.height(); ++y) {
    for (int x = 0; x < face.width(); ++x) {
      const surfaces::FaceWeights w = surfaces::FaceWeightsAt((x + 0.5f) / size, (y + 0.5f) / size);
      const float inside = std::min({w.apex, w.left, w.right});
      if (inside < -2.0f * pixel) {
        EXPECT_EQ(face.at(x, y).a, 0) << x << "," << y;
      }
      if (inside > pixel && inside < 3.0f * pixel) {
        edgeAlpha += face.at(x, y).a;
        edgeCount += 1;
      }
    }
  }
  ASSERT_GT(edgeCount, 0);
  // The centroid lies in the middle hole of the pattern: faint, so that hundreds of
  // overlapping faces add up to glowing lines rather than a white blot.
  const Rgba8 centroid = face.at(face.width() / 2, face.height() * 2 / 3);
  EXPECT_GE(edgeAlpha / edgeCount, 128.0f);
  EXPECT_LE(centroid.a, 80);
}

TEST(BlobEnvironment, PutsItsBrightestLightWhereTheBlobsLook) {
  const PixelImage environment = surfaces::MakeBlobEnvironment();
  int brightestX = 0, brightestY = 0;
  for (int y = 0; y < environment.height(); ++y) {
    for (int x = 0; x < environment.width(); ++x) {
      if (Luminance(environment.at(x, y)) > Luminance(environment.at(brightestX, brightestY))) {
        brightestX = x;
        brightestY = y;
      }
    }
  }
  const float size = static_cast<float>(surfaces::kBlobEnvironmentSize);
  const float fromCentre =
      std::hypot((brightestX + 0.5f) / size - 0.5f, (brightestY + 0.5f) / size - 0.5f);
  EXPECT_LT(fromCentre, surfaces::kBlobEnvironmentReach);
  EXPECT_LT(brightestY, environment.height() / 2) << "the lamps hang in the sky";
}

TEST(TunnelTitle, ShrinksTowardsItsVanishingPoint) {
  // The picture shrinks about the screen centre, so the tunnel's light must sit there.
  const PixelImage title = surfaces::MakeTunnelTitle();
  const int cx = surfaces::kTunnelTitleWidth / 2, cy = surfaces::kTunnelTitleHeight / 2;
  const float centre = Luminance(title.at(cx, cy));
  EXPECT_GT(centre, 0.9f);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{cx, 0}, std::pair{0, cy},
                             std::pair{title.width() - 1, title.height() - 1}}) {
    EXPECT_LT(Luminance(title.at(x, y)), centre * 0.5f) << x << "," << y;
  }
}

}  // namespace
