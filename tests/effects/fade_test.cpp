#include "effects/fade.h"

#include <gtest/gtest.h>

#include "demo/timeline.h"
#include "support/demo_archive.h"
#include "support/demo_fixture.h"

namespace {

class FadeTest : public DemoFixture {
 protected:
  void SetUp() override {
    DemoFixture::SetUp();
    WriteArchive(DemoArchive());
  }

  // The picture's pixel at (x, y) after the last frame, 0xRRGGBB.
  uint32_t PixelAt(DWORD x, DWORD y) {
    std::vector<uint32_t> pixels;
    DWORD width = 0, height = 0;
    EXPECT_EQ(demo_->context()->ReadRenderTarget(pixels, &width, &height), S_OK);
    return pixels[size_t{y} * width + x] & 0xFFFFFFu;
  }

  // Draws the frame at `progress` of a part scheduled for 0..10 s.
  void DrawAtProgress(float progress) {
    DrawFrameAt(kTimeOffset + 10.0 * progress);
  }
};

uint32_t Grey(uint32_t level) { return level * 0x010101u; }

TEST_F(FadeTest, AFadeToAColourCoversThePictureAsItRuns) {
  BuildDemo([](CDemo& demo) {
    demo.AddPart(std::make_unique<CFade>(&demo, FadeDirection::kToColour, 0xFFFFFFFFu), "fade", 0,
                 10);
  });
  DrawAtProgress(0.5f);
  const uint32_t half = PixelAt(320, 240) & 0xFF;
  EXPECT_NEAR(static_cast<int>(half), 127, 2);
  DrawAtProgress(0.999f);
  EXPECT_GE(PixelAt(320, 240) & 0xFF, 252u);
  EXPECT_EQ(PixelAt(320, 20), 0u);  // the letterbox band stays black
}

TEST_F(FadeTest, AFadeFromAColourRevealsThePicture) {
  BuildDemo([](CDemo& demo) {
    demo.AddPart(std::make_unique<CFade>(&demo, FadeDirection::kFromColour, 0xFF4080C0u), "fade", 0,
                 10);
  });
  DrawAtProgress(0.001f);
  const uint32_t nearlyFull = PixelAt(320, 240);
  EXPECT_NEAR(static_cast<int>(nearlyFull >> 16), 0x40, 1);
  EXPECT_NEAR(static_cast<int>((nearlyFull >> 8) & 0xFF), 0x80, 1);
  EXPECT_NEAR(static_cast<int>(nearlyFull & 0xFF), 0xC0, 1);
  DrawAtProgress(0.999f);
  EXPECT_LE(PixelAt(320, 240) & 0xFF, 1u);
}

TEST_F(FadeTest, TheColoursOwnAlphaIsIgnoredAndALaterFadeDrawsOver) {
  BuildDemo([](CDemo& demo) {
    demo.AddPart(std::make_unique<CFade>(&demo, FadeDirection::kToColour, 0xFFFFFFFFu), "white", 0,
                 10);
    demo.AddPart(std::make_unique<CFade>(&demo, FadeDirection::kToColour, 0x00000000u), "black", 0,
                 10);
  });
  DrawAtProgress(0.999f);
  EXPECT_LE(PixelAt(320, 240) & 0xFF, 2u);
}

TEST_F(FadeTest, AfterAResizeTheQuadCoversTheNewScreen) {
  BuildDemo([](CDemo& demo) {
    demo.AddPart(std::make_unique<CFade>(&demo, FadeDirection::kFromColour, 0xFFFFFFFFu), "fade", 0,
                 10);
  });
  demo_->OnResize(800, 600);
  DrawAtProgress(0.001f);
  EXPECT_EQ(PixelAt(790, 540), Grey(0xFE));
  EXPECT_EQ(PixelAt(5, 60), Grey(0xFE));
}

TEST_F(FadeTest, AFadeCountsNoFramesAndRestoresTheDepthAndBlendStates) {
  CFade* fade = nullptr;
  BuildDemo([&](CDemo& demo) {
    auto owned = std::make_unique<CFade>(&demo);
    fade = owned.get();
    demo.AddPart(std::move(owned), "fade", 0, 10);
  });
  DrawAtProgress(0.5f);
  EXPECT_EQ(fade->frames, 0);
  EXPECT_FALSE(fade->reversed);
  EXPECT_EQ(fade->colour, 0xFFFFFFFFu);
  DWORD value = 0;
  g_d3dDevice->GetRenderState(D3DRENDERSTATE_ZENABLE, &value);
  EXPECT_EQ(value, 1u);
  g_d3dDevice->GetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, &value);
  EXPECT_EQ(value, 0u);
  g_d3dDevice->GetRenderState(D3DRENDERSTATE_CULLMODE, &value);
  EXPECT_EQ(value, D3DCULL_CCW);
  EXPECT_EQ(FinishAndReadLog().find("fade:"), std::string::npos);
}

}  // namespace
