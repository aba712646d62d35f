// The dark flares: the flares' size and motion, the shared previous time, the background's
// flicker, the buffer's fixed centre sprite, the order of the draws, and the buffer error.
#include "effects/flare_composite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/demo_error.h"
#include "effects/screen_quad.h"
#include "render/d3d/result.h"
#include "support/effect_fixture.h"

namespace {

TEST(FlareScale, IsZeroAtTheCentreAndOneAtACorner) {
  EXPECT_EQ(FlareScale(320, 240, 640, 480), 0.0f);
  EXPECT_FLOAT_EQ(FlareScale(0, 0, 640, 480), 1.0f);
  EXPECT_FLOAT_EQ(FlareScale(640, 480, 640, 480), 1.0f);
  EXPECT_FLOAT_EQ(FlareScale(480, 360, 640, 480), 0.5f);
  EXPECT_EQ(FlareScale(400, 300, 801, 601), 0.0f);  // the centre in whole pixels
}

class RefusingDirect3D final : public IDirect3D7 {
 public:
  HRESULT CreateVertexBuffer(const D3DVERTEXBUFFERDESC*, IDirect3DVertexBuffer7**, DWORD) override {
    return E_OUTOFMEMORY;
  }
  HRESULT EvictManagedTextures() override { return D3D_OK; }
};

class FlareCompositeTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording();
    CFlareComposite::previousTime = 0;
    flares_ = std::make_unique<CFlareComposite>(demo_.get());
    flares_->Init();
  }
  void TearDown() override {
    flares_.reset();
    EffectFixture::TearDown();
  }

  std::vector<RecordedCall> DrawsAt(CFlareComposite& part, float t) {
    device_->Clear();
    textures_->bound.clear();
    part.Render(t);
    return Draws();
  }

  std::unique_ptr<CFlareComposite> flares_;
};

bool OnScreen(const D3DVECTOR& p) { return p.x >= 0 && p.x <= 640 && p.y >= 0 && p.y <= 480; }

TEST_F(FlareCompositeTest, FlaresStartAlongRaysFromTheCentreAtTheirSpeed) {
  for (const CFlareComposite::Flare& flare : flares_->Flares()) {
    const float speed = std::hypot(flare.velocity.x, flare.velocity.y);
    ASSERT_NEAR(speed, 3.2133119f * 640, 0.01f);
    const float dx = flare.position.x - 320, dy = flare.position.y - 240;
    // On its own ray, at most 0.12 of its speed from the centre.
    ASSERT_NEAR(dx * flare.velocity.y - dy * flare.velocity.x, 0, 1.0f);
    ASSERT_GE(dx * flare.velocity.x + dy * flare.velocity.y, 0);
    ASSERT_LE(std::hypot(dx, dy), 0.12f * speed + 1e-3f);
    ASSERT_EQ(flare.position.z, 0);
  }
}

TEST_F(FlareCompositeTest, DrawsTheBackgroundTheFlaresAndThenTheBlobs) {
  const std::vector<RecordedCall> draws = DrawsAt(*flares_, 0.0f);
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, kScreenVertexFormat, 6, 0}));
  EXPECT_EQ(draws[1].name, "DrawPrimitiveVB");
  EXPECT_EQ(draws[1].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, 774, 0}));
  EXPECT_EQ(draws[1].fvf, kFlareVertexFormat);
  EXPECT_EQ(draws[2].name, "DrawIndexedPrimitive");

  // At t = 0 only the random flicker acts on the grey.
  const std::vector<ScreenVertex> background = VerticesAs<ScreenVertex>(draws[0]);
  const D3DCOLOR colour = background[0].colour;
  const DWORD grey = colour & 0xFF;
  EXPECT_EQ(colour, 0xFF000000u | grey * 0x010101u);
  EXPECT_GE(grey, 71u);
  EXPECT_LE(grey, 101u);
  EXPECT_EQ(background[5].x, 640.0f);
  EXPECT_EQ(background[5].y, 480.0f);

  // The centre sprite, a quarter of the screen each way, upside down.
  const std::vector<FlareVertex> sprites = VerticesAs<FlareVertex>(draws[1]);
  EXPECT_EQ(sprites[0].x, 240.0f);
  EXPECT_EQ(sprites[0].y, 300.0f);
  EXPECT_EQ(sprites[5].x, 400.0f);
  EXPECT_EQ(sprites[5].y, 180.0f);
  EXPECT_EQ(sprites[5].u, 1.0f);
  EXPECT_EQ(sprites[5].v, 1.0f);

  int background_ = -1, flare = -1, environment = -1;
  textures_->FindTexture("f2back.png", &background_);
  textures_->FindTexture("darkFlare.png", &flare);
  textures_->FindTexture("ckenv.png", &environment);
  EXPECT_EQ(textures_->bound, (std::vector<int>{background_, flare, environment}));
  EXPECT_EQ(textures_->loads,
            (std::vector<std::string>{"f2back.png 0 1", "darkFlare.png 3 0", "ckenv.png 0 0"}));
}

TEST_F(FlareCompositeTest, FlaresMoveByTheTimeSinceTheLastFrameAndGrowWithDistance) {
  const std::array<CFlareComposite::Flare, kFlareCount> before = flares_->Flares();
  const std::vector<RecordedCall> draws = DrawsAt(*flares_, 0.01f);  // the first frame: dt = t
  const std::vector<FlareVertex> sprites = VerticesAs<FlareVertex>(draws[1]);
  int moved = 0;
  for (int k = 0; k < kFlareCount; ++k) {
    const CFlareComposite::Flare& flare = flares_->Flares()[k];
    const D3DVECTOR expected = {before[k].position.x + before[k].velocity.x * 0.01f,
                                before[k].position.y + before[k].velocity.y * 0.01f, 0};
    const FlareVertex* sprite = &sprites[6 + 6 * k];
    if (!OnScreen(expected)) {
      // Sent back to the centre on a new ray; its sprite is not rewritten this frame.
      EXPECT_EQ(flare.position.x, 320);
      EXPECT_EQ(flare.position.y, 240);
      EXPECT_EQ(sprite[0].x, sprite[5].x);
      continue;
    }
    ++moved;
    ASSERT_FLOAT_EQ(flare.position.x, expected.x);
    ASSERT_FLOAT_EQ(flare.position.y, expected.y);
    const float halfWidth = FlareScale(expected.x, expected.y, 640, 480) * 40;
    const float halfHeight = FlareScale(expected.x, expected.y, 640, 480) * 30;
    EXPECT_NEAR(sprite[0].x, expected.x - halfWidth, 1e-3);
    EXPECT_NEAR(sprite[0].y, expected.y - halfHeight, 1e-3);
    EXPECT_NEAR(sprite[5].x, expected.x + halfWidth, 1e-3);
    EXPECT_NEAR(sprite[5].y, expected.y + halfHeight, 1e-3);
    EXPECT_EQ(sprite[5].rhw, 1.0f);
  }
  EXPECT_GT(moved, 64);
  EXPECT_EQ(CFlareComposite::previousTime, 0.01f);
  EXPECT_EQ(flares_->frames, 1);
}

TEST_F(FlareCompositeTest, ASecondInstanceContinuesFromTheFirstsLastTime) {
  DrawsAt(*flares_, 0.3f);
  CFlareComposite second(demo_.get());
  second.Init();
  const std::array<CFlareComposite::Flare, kFlareCount> before = second.Flares();
  DrawsAt(second, 0.302f);
  for (int k = 0; k < kFlareCount; ++k) {
    const D3DVECTOR expected = {before[k].position.x + before[k].velocity.x * (0.302f - 0.3f),
                                before[k].position.y + before[k].velocity.y * (0.302f - 0.3f), 0};
    if (!OnScreen(expected)) continue;
    ASSERT_NEAR(second.Flares()[k].position.x, expected.x, 1e-3);
    ASSERT_NEAR(second.Flares()[k].position.y, expected.y, 1e-3);
  }
}

TEST_F(FlareCompositeTest, EveryFlareStaysOnScreenOverThePart) {
  for (float t = 0.0f; t <= 1.0f; t += 1.0f / 600) {
    flares_->Render(t);
    for (const CFlareComposite::Flare& flare : flares_->Flares())
      ASSERT_TRUE(OnScreen(flare.position));
  }
}

TEST_F(FlareCompositeTest, ARefusedBufferIsAnErrorWithTheReason) {
  RefusingDirect3D* refusing = new RefusingDirect3D;
  g_d3d = refusing;
  CFlareComposite part(demo_.get());
  try {
    part.Init();
    ADD_FAILURE() << "Init went on without a buffer";
  } catch (const demoError& error) {
    EXPECT_EQ(std::string(error.message()), "Error creating VB: " + ErrorText(E_OUTOFMEMORY));
  }
  g_d3d = direct3D_;
  refusing->Release();
}

TEST_F(FlareCompositeTest, ReleaseGivesBackEveryTextureOnce) {
  flares_.reset();
  std::vector<std::string> released = textures_->releasedNames;
  std::sort(released.begin(), released.end());
  EXPECT_EQ(released, (std::vector<std::string>{"ckenv.png", "darkFlare.png", "f2back.png"}));
}

}  // namespace
