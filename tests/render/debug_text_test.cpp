// The debug text: its layout with the stroke font, and drawing it into the render target.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "support/context_fixture.h"
#include "render/d3dx/debug_text_layout.h"

TEST(DebugTextLayout, DrawsBytesOutsidePrintableAsciiAsQuestionMarks) {
  EXPECT_EQ(LayoutDebugText(0.0f, 0.0f, std::string("a\x01" "b\x7F" "c\xC3" "d\xFF", 8)),
            LayoutDebugText(0.0f, 0.0f, "a?b?c?d?"));
}

TEST(DebugTextLayout, StopsAtTheLengthLimit) {
  const std::string limit(kMaxDebugTextLength, 'W'), beyond(kMaxDebugTextLength * 4, 'W');
  EXPECT_EQ(LayoutDebugText(0.0f, 0.0f, beyond).size(), LayoutDebugText(0.0f, 0.0f, limit).size());
}

class DebugTextDrawing : public ContextFixture {
 protected:
  static constexpr D3DCOLOR kTextColor = 0xFF999999u;

  void SetUp() override {
    ContextFixture::SetUp();
    ClearTo(0xFF000000u);
  }

  // Text-coloured pixels inside and outside the rectangle [left, right) x [top, bottom).
  std::pair<int, int> CountTextPixels(DWORD left, DWORD top, DWORD right, DWORD bottom) const {
    const Picture picture = ReadPicture();
    int inside = 0, outside = 0;
    for (DWORD y = 0; y < picture.height; ++y) {
      for (DWORD x = 0; x < picture.width; ++x) {
        if (picture.At(x, y) != kTextColor) continue;
        ++(x >= left && x < right && y >= top && y < bottom ? inside : outside);
      }
    }
    return {inside, outside};
  }
};

// Ten glyphs at double size: at most 120 pixels wide, and 'g' reaches down 20 rows.
TEST_F(DebugTextDrawing, DrawsTheLoadingMessageRightAndDownFromItsPosition) {
  ASSERT_EQ(context_->DrawDebugText(0.46f, 0.5f, kTextColor, "Loading..."), S_OK);
  const DWORD left = static_cast<DWORD>(0.46f * kWidth), top = kHeight / 2;
  const auto [inside, outside] = CountTextPixels(left, top, left + 120, top + 20);
  EXPECT_GT(inside, 100);
  EXPECT_EQ(outside, 0);
}

TEST_F(DebugTextDrawing, IgnoresTheViewportAndRestoresOpenGlState) {
  SetViewport(0, 0, 32, 32);
  glEnable(GL_BLEND);
  glColorMask(GL_TRUE, GL_TRUE, GL_FALSE, GL_TRUE);
  ASSERT_EQ(context_->DrawDebugText(0.5f, 0.75f, kTextColor, "X"), S_OK);

  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  GLboolean colorMask[4] = {};
  glGetBooleanv(GL_COLOR_WRITEMASK, colorMask);
  EXPECT_EQ(colorMask[2], GL_FALSE);
  GLint viewport[4] = {}, program = -1;
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 32);
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  EXPECT_EQ(program, 0);

  const DWORD left = kWidth / 2, top = kHeight * 3 / 4;
  const auto [inside, outside] = CountTextPixels(left, top, left + 12, top + 20);
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
}

TEST_F(DebugTextDrawing, RefusesMissingTextAndNonFinitePositions) {
  EXPECT_TRUE(FAILED(context_->DrawDebugText(0.5f, 0.5f, kTextColor, nullptr)));
  EXPECT_TRUE(FAILED(context_->DrawDebugText(std::nanf(""), 0.5f, kTextColor, "x")));
  EXPECT_TRUE(FAILED(context_->DrawDebugText(0.5f, INFINITY, kTextColor, "x")));
}
