// The screen-capture composite: its members and their order, the capture and thumbnail
// rectangles, the flash windows, what each frame draws, and on llvmpipe that the thumbnails
// echo the frame they are drawn in and that a flash covers everything.
#include "effects/capture_composite.h"

#include <gtest/gtest.h>

#include "demo/timeline.h"
#include "effects/screen_quad.h"
#include "support/effect_fixture.h"
#include "support/test_png.h"

namespace {

// A "weird.hrn" that holds only a camera, so it draws nothing of its own; and, for the
// pictures, a fully clear fractal texture, so the fractal adds nothing either.
CompoundFileBuilder ArchiveWithEmptyWeirdScene() {
  CScene scene;
  auto camera = std::make_unique<CCamera>();
  camera->name = "eye";
  scene.nodes.push_back(std::move(camera));
  scene.animator.endTime = 10;
  CompoundFileBuilder archive = DemoArchive();
  for (const auto& [name, bytes] : scene.Save()) archive.AddStream("weird.hrn/" + name, bytes);
  TestPng clear{4, 4, PNG_COLOR_TYPE_RGBA, 8,
                std::vector<std::vector<uint8_t>>(4, std::vector<uint8_t>(16, 0))};
  archive.AddStream("tetradoom.png", EncodeTestPng(clear));
  return archive;
}

TEST(CaptureComposite, CopiesTheFrameWithoutItsEightPercentBorder) {
  const RECT vga = CaptureSourceRect(640, 480);
  EXPECT_EQ(vga.left, 51);
  EXPECT_EQ(vga.top, 38);
  EXPECT_EQ(vga.right, 588);
  EXPECT_EQ(vga.bottom, 441);
  const RECT svga = CaptureSourceRect(800, 600);
  EXPECT_EQ(svga.left, 64);
  EXPECT_EQ(svga.top, 48);  // 600 x 0.08 rounds to 48 in single precision
  EXPECT_EQ(svga.right, 736);
  EXPECT_EQ(svga.bottom, 552);
}

TEST(CaptureComposite, FlashesRiseToGreyAtTheirTimeAndNeverOverlap) {
  for (size_t i = 1; i < std::size(kFlashTimes); ++i) {
    EXPECT_GT(kFlashTimes[i] - kFlashTimes[i - 1], 2 * kFlashHalfLength);
  }
  for (const float h : kFlashTimes) {
    const std::optional<FlashStep> at = FlashStepAt(h, h);
    ASSERT_TRUE(at);
    EXPECT_TRUE(at->fromGrey);
    EXPECT_EQ(at->fadeProgress, 0.0f);
    const std::optional<FlashStep> before = FlashStepAt(h, h - 0.01f);
    ASSERT_TRUE(before);
    EXPECT_FALSE(before->fromGrey);
    EXPECT_NEAR(before->fadeProgress, 0.5f, 1e-4);
    const std::optional<FlashStep> after = FlashStepAt(h, h + 0.015f);
    ASSERT_TRUE(after);
    EXPECT_TRUE(after->fromGrey);
    EXPECT_NEAR(after->fadeProgress, 0.75f, 1e-4);
    EXPECT_FALSE(FlashStepAt(h, h - 0.02f));
    EXPECT_FALSE(FlashStepAt(h, h + 0.02f));
  }
}

class CaptureCompositeTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording(ArchiveWithEmptyWeirdScene());
    composite_ = std::make_unique<CCaptureComposite>(demo_.get());
    composite_->Init();
  }
  void TearDown() override {
    composite_.reset();
    EffectFixture::TearDown();
  }

  // The draws of the frame at `progress`.
  std::vector<RecordedCall> DrawsAt(float progress) {
    device_->Clear();
    textures_->bound.clear();
    composite_->Render(progress);
    return Draws();
  }

  std::unique_ptr<CCaptureComposite> composite_;
};

TEST_F(CaptureCompositeTest, InitialisesTheMembersThenMakesTheCaptureTexture) {
  EXPECT_EQ(textures_->loads, (std::vector<std::string>{"tetradoom.png 3 0", "scrcap 0 1"}));
  EXPECT_EQ(textures_->created, (std::vector<std::string>{"scrcap 256 x 256"}));
  composite_->Release();
  EXPECT_EQ(textures_->releasedNames, (std::vector<std::string>{"tetradoom.png"}));
}

TEST_F(CaptureCompositeTest, DrawsTheFractalThenFourFramedThumbnailsOfTheCapture) {
  const std::vector<RecordedCall> draws = DrawsAt(0.1f);
  ASSERT_EQ(draws.size(), 9u);
  EXPECT_EQ(draws[0].fvf, kTetradoomVertexFormat);
  const float corners[4][4] = {{6.4f, 43.2f, 166.4f, 177.6f},
                               {473.6f, 43.2f, 633.6f, 177.6f},
                               {6.4f, 302.4f, 166.4f, 436.8f},
                               {473.6f, 302.4f, 633.6f, 436.8f}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const auto [left, top, right, bottom] = corners[i];
    const RecordedCall& picture = draws[1 + 2 * i];
    EXPECT_EQ(picture.args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, kScreenVertexFormat, 6, 0}));
    const std::vector<ScreenVertex> quad = VerticesAs<ScreenVertex>(picture);
    const ScreenQuad expected = MakeScreenQuad(left, top, right, bottom, 0xFFFFFFFFu);
    for (int v = 0; v < 6; ++v) {
      EXPECT_FLOAT_EQ(quad[v].x, expected[v].x);
      EXPECT_FLOAT_EQ(quad[v].y, expected[v].y);
      EXPECT_EQ(quad[v].u, expected[v].u);
      EXPECT_EQ(quad[v].v, expected[v].v);
      EXPECT_EQ(quad[v].colour, 0xFFFFFFFFu);
    }
    const RecordedCall& frame = draws[2 + 2 * i];
    EXPECT_EQ(frame.args,
              (std::vector<DWORD>{D3DPT_LINESTRIP, D3DFVF_XYZRHW | D3DFVF_DIFFUSE, 5, 0}));
    struct FrameVertex {
      float x, y, z, rhw;
      D3DCOLOR colour;
    };
    const std::vector<FrameVertex> strip = VerticesAs<FrameVertex>(frame);
    const float path[5][2] = {
        {left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    for (int v = 0; v < 5; ++v) {
      EXPECT_FLOAT_EQ(strip[v].x, path[v][0]);
      EXPECT_FLOAT_EQ(strip[v].y, path[v][1]);
      EXPECT_EQ(strip[v].colour, 0xFF999999u);
    }
  }
  int fractal = -1, capture = -1;
  textures_->FindTexture("tetradoom.png", &fractal);
  textures_->FindTexture("scrcap", &capture);
  EXPECT_EQ(textures_->bound,
            (std::vector<int>{fractal, capture, -1, capture, -1, capture, -1, capture, -1}));
  // Each thumbnail turns blending and depth off, and depth back on after its frame.
  const std::vector<std::pair<DWORD, DWORD>> states = RenderStates();
  ASSERT_GE(states.size(), 20u);
  const std::vector<std::pair<DWORD, DWORD>> lastThumbnail(states.end() - 5, states.end());
  EXPECT_EQ(lastThumbnail,
            (std::vector<std::pair<DWORD, DWORD>>{{D3DRENDERSTATE_ALPHABLENDENABLE, 0},
                                                  {D3DRENDERSTATE_ZENABLE, 0},
                                                  {D3DRENDERSTATE_ZWRITEENABLE, 0},
                                                  {D3DRENDERSTATE_ZENABLE, 1},
                                                  {D3DRENDERSTATE_ZWRITEENABLE, 1}}));
  EXPECT_EQ(composite_->frames, 1);
}

TEST_F(CaptureCompositeTest, AFlashCoversTheThumbnailsInGrey) {
  const auto flashAlpha = [&](float progress) -> int {
    const std::vector<RecordedCall> draws = DrawsAt(progress);
    if (draws.size() == 9) return -1;
    EXPECT_EQ(draws.size(), 10u);
    const RecordedCall& flash = draws.back();
    EXPECT_EQ(flash.fvf, static_cast<DWORD>(D3DFVF_XYZRHW | D3DFVF_DIFFUSE));
    D3DCOLOR colour = 0;
    std::memcpy(&colour, flash.vertices.data() + 16, sizeof colour);
    EXPECT_EQ(colour & 0xFFFFFFu, 0xB2B2B2u);
    return static_cast<int>(colour >> 24);
  };
  EXPECT_EQ(flashAlpha(0.264642f), 255);
  EXPECT_EQ(flashAlpha(0.512962f - 0.01f), 127);
  EXPECT_EQ(flashAlpha(0.754874f + 0.015f), 63);
  EXPECT_EQ(flashAlpha(0.3f), -1);
}

class CaptureCompositePictureTest : public DemoFixture {
 protected:
  void SetUp() override {
    DemoFixture::SetUp();
    WriteArchive(ArchiveWithEmptyWeirdScene());
    // A red fade beneath the composite gives each frame its own colour.
    BuildDemo([](CDemo& demo) {
      demo.AddPart(std::make_unique<CFade>(&demo, FadeDirection::kToColour, 0xFFFF0000u), "red", 0,
                   10);
      demo.AddPart(std::make_unique<CCaptureComposite>(&demo), "fast1", 0, 10);
    });
  }

  std::vector<uint32_t> FrameAt(float progress) {
    DrawFrameAt(kTimeOffset + 10.0 * progress);
    std::vector<uint32_t> pixels;
    DWORD width = 0, height = 0;
    EXPECT_EQ(demo_->context()->ReadRenderTarget(pixels, &width, &height), S_OK);
    EXPECT_EQ(width, 640u);
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFFu;
    return pixels;
  }
};

TEST_F(CaptureCompositePictureTest, ThumbnailsEchoTheFrameTheyAreDrawnIn) {
  for (const float progress : {0.2f, 0.65f}) {
    SCOPED_TRACE(progress);
    const std::vector<uint32_t> frame = FrameAt(progress);
    const uint32_t picture = frame[240 * 640 + 320];
    EXPECT_NEAR(static_cast<int>(picture >> 16), static_cast<int>(255 * progress), 2);
    // Inside every thumbnail only this frame's picture: no frame lines of earlier
    // thumbnails, no colour of an earlier frame.
    const int boxes[4][4] = {
        {6, 43, 166, 177}, {473, 43, 633, 177}, {6, 302, 166, 436}, {473, 302, 633, 436}};
    for (const auto& box : boxes) {
      for (int y = box[1] + 3; y < box[3] - 3; ++y) {
        for (int x = box[0] + 3; x < box[2] - 3; ++x) {
          const uint32_t echo = frame[y * 640 + x];
          ASSERT_NEAR(static_cast<int>(echo >> 16), static_cast<int>(picture >> 16), 2)
              << x << "," << y;
          ASSERT_EQ(echo & 0xFFFFu, 0u) << x << "," << y;
        }
      }
      bool framed = false;
      for (int y = box[1] - 1; y <= box[1] + 1; ++y)
        framed |= frame[y * 640 + 80 + box[0]] == 0x999999u;
      EXPECT_TRUE(framed);
    }
  }
}

TEST_F(CaptureCompositePictureTest, AtAFlashsTimeTheBandIsUniformlyGrey) {
  const std::vector<uint32_t> frame = FrameAt(kFlashTimes[0]);
  for (int y = 38; y < 442; ++y) {
    for (int x = 0; x < 640; ++x) {
      const uint32_t pixel = frame[y * 640 + x];
      for (int shift : {0, 8, 16}) {
        ASSERT_NEAR(static_cast<int>((pixel >> shift) & 0xFF), 0xB2, 1) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(frame[20 * 640 + 320], 0u);  // the letterbox bars stay black
}

}  // namespace
