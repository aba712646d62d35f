#include "app/card_rating.h"

#include <gtest/gtest.h>

#include "render/d3d/d3d_caps.h"

namespace {

constexpr DDCAPS kFullScreenOnly{0, 0};
constexpr DDCAPS kWindowed{0, DDCAPS2_CANRENDERWINDOWED};

D3DDEVICEDESC7 EveryBit() {
  D3DDEVICEDESC7 caps;
  caps.dwDevCaps = ~0u;
  caps.dpcTriCaps = {~0u, ~0u};
  caps.dwStencilCaps = ~0u;
  caps.dwTextureOpCaps = ~0u;
  return caps;
}

TEST(CardRatingTest, TheTableIsWorth54PointsAndTheBestCard77) {
  const D3DDEVICEDESC7 best = EveryBit();
  EXPECT_EQ(RateCard(best, kFullScreenOnly).score, 54 + 15);
  const CardRating rating = RateCard(best, kWindowed);
  EXPECT_EQ(rating.score, kBestRating);
  EXPECT_TRUE(rating.canRenderWindowed);
  EXPECT_EQ(RatingText(rating.score), "Rating: 77 / 77 - WOW");
}

TEST(CardRatingTest, SoftwareRasterisationKeepsASixteenthAndIsAlwaysTotalCrap) {
  D3DDEVICEDESC7 software = EveryBit();
  software.dwDevCaps &= ~D3DDEVCAPS_HWRASTERIZATION;
  EXPECT_EQ(RateCard(software, kFullScreenOnly).score, 54 / 16);
  const CardRating rating = RateCard(software, kWindowed);
  EXPECT_EQ(rating.score, 54 / 16 + 8);
  EXPECT_STREQ(RatingVerdict(rating.score), "Total Crap");
}

TEST(CardRatingTest, EachCapabilityScoresItsPoints) {
  struct Case {
    DWORD D3DDEVICEDESC7::*field;
    DWORD flag;
    int points;
  };
  const Case cases[] = {
      {&D3DDEVICEDESC7::dwDevCaps, D3DDEVCAPS_HWTRANSFORMANDLIGHT, 8},
      {&D3DDEVICEDESC7::dwDevCaps, D3DDEVCAPS_TEXTURENONLOCALVIDMEM, 1},
      {&D3DDEVICEDESC7::dwStencilCaps, D3DSTENCILCAPS_DECR, 4},
      {&D3DDEVICEDESC7::dwStencilCaps, D3DSTENCILCAPS_INCR, 4},
      {&D3DDEVICEDESC7::dwStencilCaps, D3DSTENCILCAPS_ZERO, 4},
      {&D3DDEVICEDESC7::dwStencilCaps, D3DSTENCILCAPS_INVERT, 1},
      {&D3DDEVICEDESC7::dwStencilCaps, D3DSTENCILCAPS_KEEP, 0},
      {&D3DDEVICEDESC7::dwTextureOpCaps, D3DTEXOPCAPS_DOTPRODUCT3, 5},
      {&D3DDEVICEDESC7::dwTextureOpCaps, D3DTEXOPCAPS_BLENDCURRENTALPHA, 1},
      {&D3DDEVICEDESC7::dwTextureOpCaps, D3DTEXOPCAPS_SELECTARG1, 0},
  };
  for (const Case& c : cases) {
    D3DDEVICEDESC7 caps{};
    caps.dwDevCaps = D3DDEVCAPS_HWRASTERIZATION;
    caps.*c.field |= c.flag;
    EXPECT_EQ(RateCard(caps, kFullScreenOnly).score, 15 + c.points) << std::hex << c.flag;
  }

  D3DDEVICEDESC7 triangles{};
  triangles.dwDevCaps = D3DDEVCAPS_HWRASTERIZATION;
  triangles.dpcTriCaps.dwMiscCaps = D3DPMISCCAPS_CONFORMANT | D3DPMISCCAPS_MASKZ;
  triangles.dpcTriCaps.dwRasterCaps = D3DPRASTERCAPS_ZFOG | D3DPRASTERCAPS_ZTEST;
  EXPECT_EQ(RateCard(triangles, kFullScreenOnly).score, 15 + 2);
}

TEST(CardRatingTest, VerdictsChangeEveryThirteenScores) {
  const struct {
    int score;
    const char* verdict;
  } bands[] = {{0, "Total Crap"},         {12, "Total Crap"}, {13, "Get a new 3d card"},
               {25, "Get a new 3d card"}, {26, "Decent"},     {38, "Decent"},
               {39, "Nice card"},         {51, "Nice card"},  {52, "Impressive"},
               {64, "Impressive"},        {65, "WOW"},        {77, "WOW"}};
  for (const auto& band : bands) {
    EXPECT_STREQ(RatingVerdict(band.score), band.verdict) << band.score;
  }
  EXPECT_EQ(RatingText(12), "Rating: 12 / 77 - Total Crap");
  EXPECT_EQ(RatingText(13), "Rating: 13 / 77 - Get a new 3d card");
}

}  // namespace
