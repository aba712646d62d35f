// The closing composite: its members' order, the title that opens it, what it loads and
// gives back, and the tube buffer member it never draws.
#include "effects/tunnel_composite.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "effects/screen_quad.h"
#include "scene/geom_object_record.h"
#include "support/effect_fixture.h"

namespace {

CompoundFileBuilder ClosingArchive() {
  CompoundFileBuilder archive = DemoArchive();
  archive.AddStream("dnatex.raw", std::vector<uint8_t>(65536, 90));
  GeomObjectRecord record;
  MeshFrame frame;
  frame.positions = {{0, 0, 0}, {5, 0, 0}, {0, 5, 0}};
  frame.faces = {{0, 1, 2}};
  record.frames = {frame};
  for (const char* shape : {"box", "sphere", "cone", "torus", "teapot", "dolphin"}) {
    archive.AddStream(shape, WriteGeomObjectRecord(record));
  }
  return archive;
}

class TunnelCompositeTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording(ClosingArchive());
    composite_ = std::make_unique<CTunnelComposite>(demo_.get());
    composite_->Init();
  }
  void TearDown() override {
    composite_.reset();
    EffectFixture::TearDown();
  }

  std::vector<RecordedCall> DrawsAt(float t) {
    device_->Clear();
    composite_->Render(t);
    return Draws();
  }

  std::unique_ptr<CTunnelComposite> composite_;
};

TEST_F(TunnelCompositeTest, DrawsTheHelixThenTheTitleThenTheParticlesAndCountsNoFrames) {
  const std::vector<RecordedCall> draws = DrawsAt(0.01f);
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].name, "DrawPrimitive");  // the helix panel over the right 40 %
  const std::vector<ScreenVertex> panel = VerticesAs<ScreenVertex>(draws[0]);
  EXPECT_EQ(panel.front().x, 384.0f);
  EXPECT_EQ(panel.back().x, 640.0f);
  EXPECT_EQ(panel.back().y, 480.0f);
  EXPECT_EQ(draws[1].name, "DrawPrimitive");  // the title
  EXPECT_EQ(draws[2].name, "DrawPrimitiveVB");
  EXPECT_EQ(draws[2].args[2], kShapeVertices);

  const std::vector<RecordedCall> later = DrawsAt(0.5f);
  ASSERT_EQ(later.size(), 2u);
  EXPECT_EQ(later[0].name, "DrawPrimitive");
  EXPECT_EQ(later[1].name, "DrawPrimitiveVB");
  EXPECT_EQ(composite_->frames, 0);  // it logs no frame rate
}

TEST_F(TunnelCompositeTest, TheTitleFillsThePictureAreaAtFirstAndShrinksToTheCentre) {
  const std::vector<ScreenVertex> opening = VerticesAs<ScreenVertex>(DrawsAt(0)[1]);
  ASSERT_EQ(opening.size(), 6u);
  EXPECT_EQ(opening[0].x, 0.0f);
  EXPECT_NEAR(opening[0].y, 38.4f, 1e-4);
  EXPECT_EQ(opening[5].x, 640.0f);
  EXPECT_NEAR(opening[5].y, 441.6f, 1e-4);
  EXPECT_EQ(opening[0].colour, 0xFFFFFFFFu);
  EXPECT_EQ(opening[5].u, 1.0f);
  EXPECT_EQ(opening[5].v, 1.0f);

  // At 0.079 the size and the opacity are 1 - 156.25 x 0.079^2 = 0.0248.
  const std::vector<ScreenVertex> closing = VerticesAs<ScreenVertex>(DrawsAt(0.079f)[1]);
  const float size = 1 - 156.25f * 0.079f * 0.079f;
  EXPECT_NEAR(closing[0].x, 320 * (1 - size), 1e-3);
  EXPECT_NEAR(closing[5].x, 320 * (1 + size), 1e-3);
  EXPECT_NEAR(closing[0].y, 240 - 201.6f * size, 1e-3);
  EXPECT_NEAR(closing[5].y, 240 + 201.6f * size, 1e-3);
  EXPECT_EQ(closing[0].colour, 0x06FFFFFFu);

  EXPECT_EQ(DrawsAt(0.08f).size(), 2u);
  EXPECT_EQ(DrawsAt(0.2f).size(), 2u);
}

TEST_F(TunnelCompositeTest, TheTitleIsBlendedByItsOpacityWithoutCulling) {
  device_->Clear();
  composite_->Render(0.04f);
  int title = -1;
  textures_->FindTexture("tunnel.png", &title);
  EXPECT_NE(std::find(textures_->bound.begin(), textures_->bound.end(), title),
            textures_->bound.end());
  // The title's states follow the helix's cull restore and precede the particles'.
  const std::vector<std::pair<DWORD, DWORD>> states = RenderStates();
  const std::vector<std::pair<DWORD, DWORD>> titleStates = {
      {D3DRENDERSTATE_CULLMODE, D3DCULL_CCW},
      {D3DRENDERSTATE_ALPHABLENDENABLE, 1},
      {D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA},
      {D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA},
      {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},
      {D3DRENDERSTATE_CULLMODE, D3DCULL_CCW},
      {D3DRENDERSTATE_LIGHTING, 0}};
  EXPECT_NE(std::search(states.begin(), states.end(), titleStates.begin(), titleStates.end()),
            states.end());
}

TEST_F(TunnelCompositeTest, LoadsTheTitleFirstAndGivesItBackFirstAndOnce) {
  EXPECT_EQ(textures_->loads, (std::vector<std::string>{"tunnel.png 0 0", "ball.png 0 0"}));
  composite_->Release();
  composite_.reset();
  EXPECT_EQ(textures_->releasedNames, (std::vector<std::string>{"tunnel.png", "ball.png"}));
}

TEST_F(TunnelCompositeTest, TheTubeMemberIsNeverDrawn) {
  for (float t : {0.01f, 0.5f, 1.0f}) {
    for (const RecordedCall& draw : DrawsAt(t)) {
      EXPECT_NE(draw.fvf, static_cast<DWORD>(D3DFVF_XYZ | D3DFVF_DIFFUSE));
      EXPECT_TRUE(draw.indices.empty());
    }
  }
}

class VertexBufferEffectTest : public EffectFixture {};

TEST_F(VertexBufferEffectTest, JoinsEachOfSixtyRingsToTheNextWithEightTriangles) {
  StartRecording();
  CVertexBufferEffect tube(demo_.get());
  tube.Init();
  const std::vector<uint16_t>& indices = tube.Indices();
  ASSERT_EQ(indices.size(), 1416u);
  const std::vector<uint16_t> firstJoin = {3, 7, 6, 3, 6, 2, 0, 5, 4, 0, 1, 5,
                                           0, 4, 7, 0, 7, 3, 2, 6, 1, 1, 6, 5};
  EXPECT_TRUE(std::equal(firstJoin.begin(), firstJoin.end(), indices.begin()));
  for (size_t triangle = 0; triangle < indices.size() / 3; ++triangle) {
    const int ring = static_cast<int>(triangle / 8) + 1;
    for (size_t corner = 0; corner < 3; ++corner) {
      const int vertex = indices[3 * triangle + corner];
      ASSERT_GE(vertex, 4 * (ring - 1)) << triangle;
      ASSERT_LT(vertex, 4 * (ring + 1)) << triangle;
    }
  }
  EXPECT_EQ(*std::max_element(indices.begin(), indices.end()), 239);
  tube.Release();
  EXPECT_EQ(tube.Indices().size(), 1416u);  // release keeps what it made
}

}  // namespace
