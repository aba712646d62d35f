// The closing pictures: which one each moment shows, its opacity through fades and the
// last one's pulse, its trembling rectangle and the states it draws with.
#include "effects/final_images.h"

#include <gtest/gtest.h>

#include "demo/demo_random.h"
#include "effects/screen_quad.h"
#include "support/effect_fixture.h"

namespace {

TEST(FinalImageTiming, EachRowRunsFromItsStartToTheNextOne) {
  EXPECT_EQ(FinalImageRow(0.0f), 0);
  EXPECT_EQ(FinalImageRow(0.2333332f), 0);
  EXPECT_EQ(FinalImageRow(0.2333333f), 1);
  EXPECT_EQ(FinalImageRow(0.5f), 2);
  EXPECT_EQ(FinalImageRow(0.680816f), 3);
  EXPECT_EQ(FinalImageRow(1.0f), 3);
}

TEST(FinalImageTiming, PicturesCutAtNearlyZeroOpacityWithoutCrossFading) {
  EXPECT_EQ(FinalImageOpacity(1, 0.2333333f), 0.0f);
  EXPECT_NEAR(FinalImageOpacity(0, 0.2333f), 0.0f, 0.001f);
  EXPECT_FLOAT_EQ(FinalImageOpacity(0, 0.025f), 0.5f);
  EXPECT_EQ(FinalImageOpacity(2, 0.55f), 1.0f);
  EXPECT_NEAR(FinalImageOpacity(2, 0.680f), 0.0f, 0.02f);
}

TEST(FinalImageTiming, TheLastPicturePulsesWithinItsRangeAndIsGoneBeforeTheEnd) {
  float lowest = 1, highest = 0;
  for (float progress = 0.731f; progress < 0.943f; progress += 0.0005f) {
    const float opacity = FinalImageOpacity(3, progress);
    lowest = std::min(lowest, opacity);
    highest = std::max(highest, opacity);
  }
  EXPECT_GE(lowest, 0.4f);
  EXPECT_LT(lowest, 0.41f);
  EXPECT_LE(highest, 1.0f);
  EXPECT_GT(highest, 0.99f);
  EXPECT_EQ(FinalImageOpacity(3, 0.9932f), 0.0f);
  EXPECT_EQ(FinalImageOpacity(3, 1.0f), 0.0f);
  EXPECT_LT(FinalImageOpacity(3, 0.99f), 0.1f);
  EXPECT_LT(FinalImageOpacity(3, 0.69f), FinalImageOpacity(3, 0.70f));  // still fading in
}

class FinalImagesTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording();
    images_ = std::make_unique<CFinalImages>(demo_.get());
    images_->Init();
  }
  void TearDown() override {
    images_.reset();
    EffectFixture::TearDown();
  }

  std::unique_ptr<CFinalImages> images_;
};

TEST_F(FinalImagesTest, LoadsAndGivesBackTheFourPicturesOnce) {
  EXPECT_EQ(textures_->loads, (std::vector<std::string>{"f02.png 0 1", "f01.png 0 1",
                                                        "f03.png 0 1", "f04.png 0 1"}));
  images_->Release();
  images_.reset();
  EXPECT_EQ(textures_->releasedNames,
            (std::vector<std::string>{"f02.png", "f01.png", "f03.png", "f04.png"}));
}

TEST_F(FinalImagesTest, TheShakeMovesTheFarEdgesTwiceAsFar) {
  SeedDemoRand(3);
  const float jx = (static_cast<float>(DemoRand() % 1024) / 1024 - 0.5f) * 640 * 0.010204081f;
  const float jy = (static_cast<float>(DemoRand() % 1024) / 1024 - 0.5f) * 480 * 0.010204081f;
  SeedDemoRand(3);
  device_->Clear();
  images_->Render(0.3f);  // "f01.png", 0.8 x 0.15 of the screen
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, kScreenVertexFormat, 6, 0}));
  const std::vector<ScreenVertex> quad = VerticesAs<ScreenVertex>(draws[0]);
  EXPECT_FLOAT_EQ(quad[0].x, 64 + jx);
  EXPECT_FLOAT_EQ(quad[0].y, 204 + jy);
  EXPECT_FLOAT_EQ(quad[5].x, 64 + 2 * jx + 512);
  EXPECT_FLOAT_EQ(quad[5].y, 204 + 2 * jy + 72);
  EXPECT_EQ(quad[0].colour, 0xFFFFFFFFu);
  int slot = -1;
  textures_->FindTexture("f01.png", &slot);
  EXPECT_EQ(textures_->bound.back(), slot);
}

TEST_F(FinalImagesTest, DrawsBlendedWithoutCullingOrDepthWritesAndCountsNoFrames) {
  device_->Clear();
  images_->Render(0.2333333f);
  EXPECT_EQ(VerticesAs<ScreenVertex>(Draws()[0])[0].colour, 0x00FFFFFFu);
  EXPECT_EQ(RenderStates(), (std::vector<std::pair<DWORD, DWORD>>{
                                {D3DRENDERSTATE_ZWRITEENABLE, 0},
                                {D3DRENDERSTATE_ALPHATESTENABLE, 0},
                                {D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA},
                                {D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA},
                                {D3DRENDERSTATE_ALPHABLENDENABLE, 1},
                                {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},
                            }));
  EXPECT_EQ(StageStates(0), (std::vector<std::pair<DWORD, DWORD>>{
                                {D3DTSS_COLORARG1, D3DTA_TEXTURE},
                                {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
                                {D3DTSS_COLOROP, D3DTOP_MODULATE},
                                {D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
                                {D3DTSS_ALPHAARG2, D3DTA_CURRENT},
                                {D3DTSS_ALPHAOP, D3DTOP_MODULATE},
                            }));
  EXPECT_EQ(images_->frames, 0);
}

}  // namespace
