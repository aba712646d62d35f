// The scenes' textures as the materials use them: wrapped ones join without seams, sprites
// drawn additively fade to black at their borders, animated screens change from frame to
// frame, and the glass lets the scene show through.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "scenes/texture_painters.h"

namespace scenes {
namespace {

float Brightness(const Rgba8& pixel) { return (pixel.r + pixel.g + pixel.b) / (3 * 255.0f); }

// The mean step across the wrap (last column to first, last row to first) compared with the
// mean step between neighbours inside the picture: a seam shows as a much larger step.
float SeamRatio(const PixelImage& image) {
  double inside = 0, across = 0;
  int insideCount = 0, acrossCount = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const float here = Brightness(image.at(x, y));
      const float right = Brightness(image.wrapped(x + 1, y)),
                  below = Brightness(image.wrapped(x, y + 1));
      const bool wrapsRight = x + 1 == image.width(), wrapsDown = y + 1 == image.height();
      (wrapsRight ? across : inside) += std::fabs(here - right);
      (wrapsRight ? acrossCount : insideCount) += 1;
      (wrapsDown ? across : inside) += std::fabs(here - below);
      (wrapsDown ? acrossCount : insideCount) += 1;
    }
  }
  return static_cast<float>((across / acrossCount) / (inside / insideCount + 1e-6));
}

float BorderBrightness(const PixelImage& image) {
  float brightest = 0;
  for (int i = 0; i < image.width(); ++i) {
    for (const Rgba8& pixel : {image.at(i, 0), image.at(i, image.height() - 1), image.at(0, i),
                               image.at(image.width() - 1, i)}) {
      brightest = std::max(brightest, Brightness(pixel));
    }
  }
  return brightest;
}

float CentreBrightness(const PixelImage& image) {
  return Brightness(image.at(image.width() / 2, image.height() / 2));
}

float MeanDifference(const PixelImage& a, const PixelImage& b) {
  double sum = 0;
  for (size_t i = 0; i < a.pixels().size(); ++i)
    sum += std::fabs(Brightness(a.pixels()[i]) - Brightness(b.pixels()[i]));
  return static_cast<float>(sum / static_cast<double>(a.pixels().size()));
}

TEST(SceneTextures, WrappedSurfacesJoinWithoutSeams) {
  const struct {
    const char* name;
    PixelImage image;
  } wrapped[] = {{"bits", BitsTexture()},          {"stone", StoneTexture()},
                 {"rock", RockTexture()},          {"tiles", TilesTexture()},
                 {"terrazzo", TerrazzoTexture()},  {"grain", GrainTexture()},
                 {"steel", BrushedSteelTexture()}, {"plasma", PlasmaTexture()},
                 {"veins", VeinsTexture()},        {"night sky", NightSkyTexture()}};
  for (const auto& texture : wrapped) EXPECT_LT(SeamRatio(texture.image), 2.0f) << texture.name;
}

TEST(SceneTextures, AddedSpritesFadeToBlackAtTheirBorders) {
  const struct {
    const char* name;
    PixelImage image;
  } sprites[] = {{"glow", GlowTexture()},
                 {"star", StarTexture()},
                 {"spark", SparkTexture()},
                 {"bit spark", BitSparkTexture()}};
  for (const auto& sprite : sprites) {
    EXPECT_LT(BorderBrightness(sprite.image), 0.03f) << sprite.name;
  }
  for (const auto& sprite : {sprites[0].image, sprites[1].image, sprites[2].image})
    EXPECT_GT(CentreBrightness(sprite), 0.9f);
}

TEST(SceneTextures, ScreensChangeFromFrameToFrame) {
  for (const auto painter : {&MonitorTraceFrame, &MonitorScanFrame}) {
    const PixelImage first = painter(0, 8), second = painter(1, 8), fourth = painter(3, 8);
    EXPECT_GT(MeanDifference(first, second), 0.002f);
    EXPECT_GT(MeanDifference(first, fourth), 0.002f);
    EXPECT_EQ(MeanDifference(first, painter(0, 8)), 0.0f);
  }
}

TEST(SceneTextures, GlassAndShadowLetTheSceneShowThrough) {
  for (const PixelImage& image : {GlassTexture(), ShadowTexture()}) {
    int clear = 0, solid = 0;
    for (const Rgba8& pixel : image.pixels()) {
      clear += pixel.a < 128;
      solid += pixel.a == 255;
    }
    EXPECT_GT(clear, static_cast<int>(image.pixels().size()) / 2);
    EXPECT_EQ(solid, 0);
  }
  // The shadow is darkest where the figure stands (v = 0) and gone at its far end.
  const PixelImage shadow = ShadowTexture();
  EXPECT_GT(shadow.at(32, 0).a, 100);
  EXPECT_LT(shadow.at(32, 63).a, 10);
}

TEST(SceneTextures, LetteringReflectionHasItsHorizonAtTheLettersMiddle) {
  // Letter faces map v = 0 to the middle of the letter and wrap above it.
  for (const PixelImage& image : {GoldChromeTexture(), SheenTexture()}) {
    EXPECT_GT(Brightness(image.at(64, 0)), 0.75f);
    EXPECT_GT(Brightness(image.at(64, 127)), 0.75f);
    EXPECT_LT(Brightness(image.at(64, 40)), 0.65f);
  }
}

}  // namespace
}  // namespace scenes
