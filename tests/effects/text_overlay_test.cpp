// The words over the second people shot: which are on screen when, how their boxes shrink
// about their centres (the last grows), and their fades.
#include "effects/text_overlay.h"

#include <gtest/gtest.h>

#include "effects/screen_quad.h"
#include "support/effect_fixture.h"

namespace {

class TextOverlayTest : public EffectFixture {
 protected:
  void SetUp() override {
    EffectFixture::SetUp();
    StartRecording();
    overlay_ = std::make_unique<CTextOverlay>(demo_.get());
    overlay_->Init();
  }
  void TearDown() override {
    overlay_.reset();
    EffectFixture::TearDown();
  }

  // One word as drawn: its box in pixels and its colour.
  struct DrawnWord {
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    D3DCOLOR colour = 0;
  };
  std::vector<DrawnWord> WordsAt(float progress) {
    device_->Clear();
    overlay_->Render(progress);
    std::vector<DrawnWord> words;
    for (const RecordedCall& draw : Draws()) {
      DrawnWord word;
      for (const ScreenVertex& vertex : VerticesAs<ScreenVertex>(draw)) {
        word.left = std::min(word.left, vertex.x);
        word.right = std::max(word.right, vertex.x);
        word.top = std::min(word.top, vertex.y);
        word.bottom = std::max(word.bottom, vertex.y);
        word.colour = vertex.colour;
      }
      words.push_back(word);
    }
    return words;
  }

  std::unique_ptr<CTextOverlay> overlay_;
};

TEST_F(TextOverlayTest, TheFirstThreeWordsShrinkTowardTheirCentresInOrder) {
  const std::vector<DrawnWord> words = WordsAt(0.1f);
  ASSERT_EQ(words.size(), 4u);  // "we", "are", "not", and "lovers" has begun
  // "we": 0.05, 0.1, 0.3 x 0.3 of the screen, at f = (0.1 - 0.018229) / (0.144656 - 0.018229).
  const float f = (0.1f - 0.018229f) / (0.144656f - 0.018229f);
  const float scale = ((1 - f) + 1) * 0.5f;
  EXPECT_NEAR(words[0].left, ((0.3f - 0.3f * scale) * 0.5f + 0.05f) * 640, 0.01);
  EXPECT_NEAR(words[0].right - words[0].left, 0.3f * scale * 640, 0.01);
  EXPECT_NEAR(words[0].top, ((0.3f - 0.3f * scale) * 0.5f + 0.1f) * 480, 0.01);
  EXPECT_NEAR(words[0].bottom - words[0].top, 0.3f * scale * 480, 0.01);
  EXPECT_LT(words[0].right, words[1].left + 1);  // "are" to the right of "we"
  for (const DrawnWord& word : words) EXPECT_EQ(word.colour & 0xFFFFFFu, 0x4C4C4Cu);
  EXPECT_EQ(words[0].colour >> 24, 255u);
}

TEST_F(TextOverlayTest, WordsFadeOverTheFirstAndLastFiftiethOfTheirWindows) {
  const auto alphaOfFirst = [&](float progress) {
    const std::vector<DrawnWord> words = WordsAt(progress);
    return words.empty() ? -1 : static_cast<int>(words[0].colour >> 24);
  };
  EXPECT_EQ(alphaOfFirst(0.018229f), -1);  // open window: not yet on screen
  EXPECT_EQ(alphaOfFirst(0.028229f), static_cast<int>((0.028229f - 0.018229f) * 50 * 255));
  EXPECT_EQ(alphaOfFirst(0.134656f),
            static_cast<int>((1 - (0.134656f - (0.144656f - 0.02f)) * 50) * 255));
}

TEST_F(TextOverlayTest, TheLastWordGrowsPastItsBoxAndNothingFollowsIt) {
  const std::vector<DrawnWord> early = WordsAt(0.52f);
  const std::vector<DrawnWord> late = WordsAt(0.64f);
  ASSERT_FALSE(early.empty());
  ASSERT_EQ(late.size(), 1u);  // "you" alone
  const float lateWidth = late[0].right - late[0].left;
  EXPECT_GT(lateWidth, early.back().right - early.back().left);
  EXPECT_GT(lateWidth, 0.8f * 640);  // grown beyond its box, about its centre
  EXPECT_NEAR((late[0].left + late[0].right) * 0.5f, 0.5f * 640, 0.01);
  EXPECT_TRUE(WordsAt(0.66f).empty());
  EXPECT_EQ(overlay_->frames, 0);
}

}  // namespace
