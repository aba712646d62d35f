// The helix: its cross-section and highlight tables, the span filler, the rasterised
// strands, and the panel it shows over what lies beneath.
#include "effects/dna_effect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/demo_error.h"
#include "demo/timeline.h"
#include "effects/fade.h"
#include "support/demo_archive.h"
#include "support/demo_fixture.h"

namespace {

constexpr uint32_t kUntouched = 0x12345678u;

uint32_t Grey(int level) { return 0xFF000000u | static_cast<uint32_t>(level) * 0x010101u; }

TEST(DnaTables, TheCrossSectionHasSevenCornersOfAnOpenRing) {
  const auto& section = DnaCrossSection();
  const int32_t columns[] = {0, 42, 85, 127, 170, 212, 255};
  for (int k = 0; k < kDnaSectionPoints; ++k) {
    const double angle = k * 6.0 / 7.0;
    EXPECT_NEAR(section[k].x, 15 * std::cos(angle), 1e-4) << k;
    EXPECT_NEAR(section[k].y, 15 * std::sin(angle), 1e-4) << k;
    EXPECT_NEAR(section[k].nx, std::cos(angle), 1e-5) << k;
    EXPECT_NEAR(section[k].ny, std::sin(angle), 1e-5) << k;
    EXPECT_EQ(section[k].u, columns[k]) << k;
  }
}

TEST(DnaTables, TheHighlightIsZeroUpTo146AndWhiteAtTheTop) {
  const auto& highlight = DnaHighlight();
  for (int i = 0; i <= 146; ++i) EXPECT_EQ(highlight[i], 0) << i;
  EXPECT_EQ(highlight[147], 1);
  EXPECT_EQ(highlight[200], 22);  // 255 x (200 / 255)^10 = 22.4
  EXPECT_EQ(highlight[255], 255);
  for (int i = 1; i < 256; ++i) EXPECT_GE(highlight[i], highlight[i - 1]) << i;
}

class DnaSpanTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int u = 0; u < kDnaSkinSide; ++u) skinRow_[u] = static_cast<uint8_t>(u);
    std::fill(std::begin(row_), std::end(row_), kUntouched);
  }

  uint8_t skinRow_[kDnaSkinSide];
  uint32_t row_[kDnaPanelWidth];
};

TEST_F(DnaSpanTest, EdgesThatDoNotRunLeftToRightDrawNothing) {
  FillDnaSpan({40, 0, 0.5f}, {40, 255, 0.5f}, skinRow_, row_);
  FillDnaSpan({60, 0, 0.5f}, {41, 255, 0.5f}, skinRow_, row_);
  for (const uint32_t pixel : row_) ASSERT_EQ(pixel, kUntouched);
}

TEST_F(DnaSpanTest, TheClosingEdgeRunsTheSkinBackwardsToItsLastColumnInclusive) {
  // From the last corner (u 255) back to the first (u 0) over ten columns: du = -25.
  FillDnaSpan({10, 255, 0.5f}, {20, 0, 0.5f}, skinRow_, row_);
  EXPECT_EQ(row_[9], kUntouched);
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(row_[10 + i], Grey(static_cast<int>(0.5f * static_cast<float>(255 - 25 * i))))
        << i;
  }
  EXPECT_EQ(row_[21], kUntouched);
}

TEST_F(DnaSpanTest, TheShadeRunsAcrossTheSpanAndLightsTheHighlight) {
  skinRow_[100] = 0;
  FillDnaSpan({0, 100, 0.0f}, {4, 100, 1.0f}, skinRow_, row_);
  EXPECT_EQ(row_[0], Grey(0));
  EXPECT_EQ(row_[2], Grey(0));  // shade 0.5 of a black texel, no highlight yet
  EXPECT_EQ(row_[4], Grey(255));  // the full highlight alone
}

TEST_F(DnaSpanTest, ABrightTexelInTheHighlightSaturatesToWhite) {
  // 255 of highlight plus 200 of diffuse would wrap to 199 in a byte.
  FillDnaSpan({30, 200, 1.0f}, {32, 200, 1.0f}, skinRow_, row_);
  EXPECT_EQ(row_[30], 0xFFFFFFFFu);
  EXPECT_EQ(row_[32], 0xFFFFFFFFu);
}

// The opaque runs of one pixel row, as (first, last) columns.
std::vector<std::pair<int, int>> OpaqueRuns(const uint32_t* row) {
  std::vector<std::pair<int, int>> runs;
  for (int x = 0; x < kDnaPanelWidth; ++x) {
    if (row[x] == 0) continue;
    if (!runs.empty() && runs.back().second == x - 1) {
      runs.back().second = x;
    } else {
      runs.emplace_back(x, x);
    }
  }
  return runs;
}

std::vector<uint8_t> FlatSkin(uint8_t level) {
  return std::vector<uint8_t>(size_t{kDnaSkinSide} * kDnaSkinSide, level);
}

TEST(DnaHelix, AtTheStartTheStrandsMakeOneFullTurnOverThePanel) {
  const std::vector<uint8_t> skin = FlatSkin(128);
  std::vector<uint32_t> pixels(kDnaPanelWidth * kDnaPanelHeight, kUntouched);
  DrawDnaHelix(0.0f, skin.data(), pixels.data());
  for (int y = 0; y < kDnaPanelHeight; ++y) {
    const double swing = 35 * std::sin(y * std::numbers::pi / 128);
    if (std::abs(swing) < 20) continue;  // the tubes overlap there
    const std::vector<std::pair<int, int>> runs = OpaqueRuns(&pixels[y * kDnaPanelWidth]);
    ASSERT_EQ(runs.size(), 2u) << y;
    // Strand A at 64 + swing, B at 64 - swing, each 15 pixels either side.
    const double right = (runs[1].first + runs[1].second) / 2.0;
    const double left = (runs[0].first + runs[0].second) / 2.0;
    EXPECT_NEAR(right, 64 + std::abs(swing), 2) << y;
    EXPECT_NEAR(left, 64 - std::abs(swing), 2) << y;
    // The heptagon's corners are unevenly spaced, so its width varies a little as it turns.
    EXPECT_GE(runs[1].second - runs[1].first, 25) << y;
    EXPECT_LE(runs[1].second - runs[1].first, 30) << y;
  }
}

TEST(DnaHelix, EveryPixelIsOpaqueOnATubeOrTransparentAndTheTubesStayInsideThePanel) {
  std::vector<uint8_t> skin(size_t{kDnaSkinSide} * kDnaSkinSide);
  for (size_t i = 0; i < skin.size(); ++i) skin[i] = static_cast<uint8_t>(i * 7);
  std::vector<uint32_t> pixels(kDnaPanelWidth * kDnaPanelHeight);
  for (float t = 0; t <= 1.0f; t += 0.0125f) {
    DrawDnaHelix(t, skin.data(), pixels.data());
    int covered = 0;
    for (int y = 0; y < kDnaPanelHeight; ++y) {
      for (int x = 0; x < kDnaPanelWidth; ++x) {
        const uint32_t pixel = pixels[y * kDnaPanelWidth + x];
        if (pixel == 0) continue;
        ++covered;
        ASSERT_EQ(pixel >> 24, 0xFFu) << t;
        ASSERT_EQ(pixel & 0xFF, (pixel >> 8) & 0xFF) << t;  // grey
        ASSERT_GE(x, 14) << t;
        ASSERT_LE(x, 114) << t;
      }
    }
    EXPECT_GT(covered, 256 * 20) << t;
    EXPECT_LT(covered, 256 * 70) << t;
  }
}

TEST(DnaHelix, TheLightFallsFromTheUpperLeftOfEachTube) {
  // On a flat skin, a strand's left flank (facing the light) is brighter than its right.
  const std::vector<uint8_t> skin = FlatSkin(200);
  std::vector<uint32_t> pixels(kDnaPanelWidth * kDnaPanelHeight);
  DrawDnaHelix(0.0f, skin.data(), pixels.data());
  const uint32_t* row = &pixels[64 * kDnaPanelWidth];  // strands at 29 and 99
  EXPECT_GT(row[99 - 10] & 0xFF, row[99 + 10] & 0xFF);
}

// The helix panel on a live device, over a white picture.
class DnaPanelTest : public DemoFixture {
 protected:
  // Builds a demo that draws white and then the helix, both over 0..10 s.
  void BuildOverWhite(std::vector<uint8_t> skin) {
    CompoundFileBuilder archive = DemoArchive();
    archive.AddStream("dnatex.raw", std::move(skin));
    WriteArchive(archive);
    BuildDemo([this](CDemo& demo) {
      demo.AddPart(std::make_unique<CFade>(&demo, FadeDirection::kFromColour, 0xFFFFFFFFu), "white",
                   0, 10);
      auto owned = std::make_unique<CDnaEffect>(&demo);
      helix_ = owned.get();
      demo.AddPart(std::move(owned), "helix", 0, 10);
    });
  }

  std::string InitFailure(std::vector<uint8_t> skin) {
    try {
      BuildOverWhite(std::move(skin));
    } catch (const demoError& error) {
      return error.message();
    }
    return "no error";
  }

  uint32_t PixelAt(DWORD x, DWORD y) {
    std::vector<uint32_t> pixels;
    DWORD width = 0, height = 0;
    EXPECT_EQ(demo_->context()->ReadRenderTarget(pixels, &width, &height), S_OK);
    return pixels[size_t{y} * width + x] & 0xFFFFFFu;
  }

  CDnaEffect* helix_ = nullptr;
};

TEST_F(DnaPanelTest, TheTubesCoverOnlyTheirPixelsOfTheRightHandPanel) {
  BuildOverWhite(FlatSkin(100));
  DrawFrameAt(kTimeOffset + 0.0001);  // t = 0.00001: the helix as at the start
  const uint32_t white = PixelAt(100, 240);
  EXPECT_GE(white & 0xFF, 0xFEu);
  // Row 64 of the panel (y 120) has the strands at columns 29 and 99: x = 384 + 2 column.
  EXPECT_EQ(PixelAt(512, 120), white);  // between the strands
  EXPECT_EQ(PixelAt(386, 120), white);  // left of both
  EXPECT_EQ(PixelAt(636, 120), white);  // right of both
  const uint32_t onTube = PixelAt(384 + 2 * 99, 120);
  EXPECT_LT(onTube & 0xFF, 0xC0u);
  EXPECT_EQ(onTube & 0xFF, (onTube >> 16) & 0xFF);
  EXPECT_LT(PixelAt(384 + 2 * 29, 120) & 0xFF, 0xC0u);
  EXPECT_EQ(PixelAt(370, 120), white);  // left of the panel
}

TEST_F(DnaPanelTest, CountsNoFramesAndLogsNoRate) {
  BuildOverWhite(FlatSkin(100));
  DrawFrameAt(kTimeOffset + 5);
  EXPECT_EQ(helix_->frames, 0);
  EXPECT_EQ(FinishAndReadLog().find("helix:"), std::string::npos);
}

TEST_F(DnaPanelTest, ASkinOfAnotherSizeIsRefused) {
  EXPECT_EQ(InitFailure(std::vector<uint8_t>(100)),
            "Cannot open dnatex.raw: the entry holds 100 bytes, not 65536");
  EXPECT_EQ(InitFailure(std::vector<uint8_t>(65537)),
            "Cannot open dnatex.raw: the entry holds 65537 bytes, not 65536");
}

TEST_F(DnaPanelTest, AMissingSkinStopsTheDemo) {
  WriteArchive(DemoArchive());
  try {
    BuildDemo(
        [](CDemo& demo) { demo.AddPart(std::make_unique<CDnaEffect>(&demo), "helix", 0, 10); });
    FAIL() << "the demo was built";
  } catch (const demoError& error) {
    EXPECT_TRUE(std::string(error.message()).starts_with("Cannot open dnatex.raw: "));
  }
}

}  // namespace
