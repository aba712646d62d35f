// The static intro on the recording device: what it loads and gives back, the static's
// random window, which pictures each moment draws and how, and its device states.
#include "effects/static_intro.h"

#include <gtest/gtest.h>

#include "demo/demo_random.h"
#include "effects/screen_quad.h"
#include "support/effect_fixture.h"

namespace {

struct NoiseVertex {
  float x, y, z, rhw, u, v;
};

class StaticIntroTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording();
    intro_ = std::make_unique<CStaticIntro>(demo_.get());
    intro_->Init();
    device_->Clear();
  }
  void TearDown() override {
    intro_.reset();
    EffectFixture::TearDown();
  }

  // The picture draws of the frame at `progress` (the static's draw comes first).
  std::vector<RecordedCall> PicturesAt(float progress) {
    device_->Clear();
    textures_->bound.clear();
    intro_->Render(progress);
    std::vector<RecordedCall> draws = Draws();
    EXPECT_FALSE(draws.empty());
    if (!draws.empty()) draws.erase(draws.begin());
    return draws;
  }
  int SlotOf(const std::string& name) {
    int index = -1;
    textures_->FindTexture(name, &index);
    return index;
  }

  std::unique_ptr<CStaticIntro> intro_;
};

constexpr const char* kPictureNames[] = {"i01.png", "i05.png", "i03.png", "i10.png",
                                         "i04.png", "i02.png", "i06.png", "i07.png",
                                         "i08.png", "i11.png", "i09.png", "ckpres.png"};

TEST_F(StaticIntroTest, LoadsTheStaticOpaqueAndThePicturesWithAlphaWithoutMipMaps) {
  std::vector<std::string> expected = {"static2.png 0 1"};
  for (const char* name : kPictureNames) expected.push_back(std::string(name) + " 3 1");
  EXPECT_EQ(textures_->loads, expected);
  EXPECT_EQ(intro_->uLeft, 0.0f);
  EXPECT_EQ(intro_->vBottom, 0.0f);
}

TEST_F(StaticIntroTest, GivesEachTextureBackOnceSoAPictureSharedWithAnotherPartSurvives) {
  textures_->LoadTexture("i01.png", 3, 1);  // another part's use of the same picture
  intro_->Release();
  intro_.reset();  // the destructor must not give the names back a second time
  EXPECT_EQ(textures_->UsesOf("i01.png"), 1);
  EXPECT_EQ(textures_->UsesOf("static2.png"), 0);
  EXPECT_EQ(textures_->releasedNames.size(), std::size(kPictureNames) + 1);
}

TEST_F(StaticIntroTest, ADestructorWithoutReleaseGivesTheTexturesBack) {
  intro_.reset();
  EXPECT_EQ(textures_->UsesOf("ckpres.png"), 0);
  EXPECT_EQ(textures_->releasedNames.size(), std::size(kPictureNames) + 1);
}

TEST_F(StaticIntroTest, TheStaticShowsOneWholeRepeatAtARandomOffsetDrawnFirst) {
  SeedDemoRand(99);
  const int a = DemoRand() % 1024, b = DemoRand() % 1024;
  SeedDemoRand(99);
  intro_->Render(0.05f);
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);  // no picture before 0.1
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0x104, 6, 0}));
  const std::vector<NoiseVertex> quad = VerticesAs<NoiseVertex>(draws[0]);
  ASSERT_EQ(quad.size(), 6u);
  EXPECT_FLOAT_EQ(quad[0].u, a / 1024.0f);
  EXPECT_FLOAT_EQ(quad[0].v, b / 1024.0f);
  EXPECT_FLOAT_EQ(quad[5].u, a / 1024.0f + 1);
  EXPECT_FLOAT_EQ(quad[5].v, b / 1024.0f + 1);
  EXPECT_EQ(quad[5].x, 640.0f);
  EXPECT_EQ(quad[5].y, 480.0f);
  EXPECT_EQ(textures_->bound, (std::vector<int>{SlotOf("static2.png")}));
}

TEST_F(StaticIntroTest, PicturesShowStrictlyInsideTheirWindowsInTableOrder) {
  EXPECT_TRUE(PicturesAt(0.22f).empty());  // i01 ends and i05 begins: both windows are open
  EXPECT_TRUE(PicturesAt(0.1f).empty());

  const std::vector<RecordedCall> both = PicturesAt(0.65f);
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(textures_->bound,
            (std::vector<int>{SlotOf("static2.png"), SlotOf("i02.png"), SlotOf("i07.png")}));

  const std::vector<RecordedCall> mid = PicturesAt(0.16f);
  ASSERT_EQ(mid.size(), 2u);  // i01 at full opacity and the i08 strip over it
  EXPECT_EQ(mid[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, kScreenVertexFormat, 6, 0}));
  for (const ScreenVertex& vertex : VerticesAs<ScreenVertex>(mid[0])) {
    EXPECT_EQ(vertex.colour, 0xFFFFFFFFu);
  }
  // i08 is 0.0089 into its 0.0489 window: fading in, at five times that share.
  const auto stripAlpha = VerticesAs<ScreenVertex>(mid[1])[0].colour >> 24;
  EXPECT_EQ(stripAlpha, static_cast<DWORD>((0.16f - 0.1511f) / (0.2f - 0.1511f) * 5 * 255));
}

TEST_F(StaticIntroTest, APictureShakesByItsFractionOfTheScreenWithTwoDrawsOfItsOwn) {
  SeedDemoRand(5);
  DemoRand();
  DemoRand();  // the static's offset
  const int r1 = DemoRand() % 1024, r2 = DemoRand() % 1024;
  SeedDemoRand(5);
  const std::vector<RecordedCall> draws = PicturesAt(0.35f);  // i03 alone
  ASSERT_EQ(draws.size(), 1u);
  const std::vector<ScreenVertex> quad = VerticesAs<ScreenVertex>(draws[0]);
  const float left = (r1 * 0.01f / 1024 + 0.2f) * 640, top = (r2 * 0.01f / 1024 + 0.2f) * 480;
  EXPECT_FLOAT_EQ(quad[0].x, left);
  EXPECT_FLOAT_EQ(quad[0].y, top);
  EXPECT_FLOAT_EQ(quad[5].x, 640 * 0.6f + left);
  EXPECT_FLOAT_EQ(quad[5].y, 480 * 0.6f + top);
  EXPECT_EQ(quad[5].u, 1.0f);
  EXPECT_EQ(quad[2].v, 1.0f);
}

TEST_F(StaticIntroTest, ThePresentsCardNeverMovesAndFadesOutAtTheEnd) {
  for (const float progress : {0.95f, 0.99f}) {
    const std::vector<RecordedCall> draws = PicturesAt(progress);
    ASSERT_EQ(draws.size(), 1u);
    const std::vector<ScreenVertex> quad = VerticesAs<ScreenVertex>(draws[0]);
    EXPECT_FLOAT_EQ(quad[0].x, 64);
    EXPECT_FLOAT_EQ(quad[0].y, 96);
    EXPECT_FLOAT_EQ(quad[5].x, 64 + 512);
  }
  const auto alpha = VerticesAs<ScreenVertex>(PicturesAt(0.99f)[0])[0].colour >> 24;
  EXPECT_EQ(alpha, static_cast<DWORD>((1 - (0.99f - 0.88f) / 0.12f) * 5 * 255));
}

TEST_F(StaticIntroTest, SetsTheStatesOfTheStaticThenBlendsThePicturesAndRestoresDepth) {
  intro_->Render(0.5f);
  EXPECT_EQ(RenderStates(), (std::vector<std::pair<DWORD, DWORD>>{
                                {D3DRENDERSTATE_LIGHTING, 0},
                                {D3DRENDERSTATE_ZWRITEENABLE, 0},
                                {D3DRENDERSTATE_ALPHABLENDENABLE, 0},
                                {D3DRENDERSTATE_ALPHATESTENABLE, 0},
                                {D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA},
                                {D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA},
                                {D3DRENDERSTATE_ZENABLE, 0},
                                {D3DRENDERSTATE_ALPHABLENDENABLE, 1},
                                {D3DRENDERSTATE_ZENABLE, 1},
                            }));
  EXPECT_EQ(StageStates(0), (std::vector<std::pair<DWORD, DWORD>>{
                                {D3DTSS_COLORARG1, D3DTA_TEXTURE},
                                {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
                                {D3DTSS_COLOROP, D3DTOP_MODULATE},
                                {D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
                                {D3DTSS_ALPHAARG2, D3DTA_CURRENT},
                                {D3DTSS_ALPHAOP, D3DTOP_MODULATE},
                            }));
  EXPECT_EQ(intro_->frames, 1);
}

TEST_F(StaticIntroTest, AResizeStretchesTheStaticOverTheNewScreen) {
  g_screenWidth = 800;
  g_screenHeight = 600;
  intro_->Resize();
  intro_->Render(0.05f);
  const std::vector<NoiseVertex> quad = VerticesAs<NoiseVertex>(Draws()[0]);
  EXPECT_EQ(quad[5].x, 800.0f);
  EXPECT_EQ(quad[5].y, 600.0f);
  g_screenWidth = 640;
  g_screenHeight = 480;
}

}  // namespace
