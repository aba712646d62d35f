// The arithmetic of mip levels that the read-back tests cannot reach exactly: the box
// filter over odd sides and the part of each level that a rectangle covers.
#include <gtest/gtest.h>

#include "render/d3dx/argb_image.h"
#include "render/state/mip_chain.h"

namespace {

void ExpectRect(const RECT& actual, const RECT& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

}  // namespace

TEST(AverageDown, AveragesEachChannelOverTheAreaCoveredRounded) {
  // Channels 0 and 255 average to 127.5, which rounds up; each channel is separate.
  const ArgbImage checker{2, 2, {0xFF000000u, 0xFFFFFFFFu, 0x01FFFFFFu, 0x00000000u}};
  EXPECT_EQ(AverageDown(checker, 1, 1).pixels, (std::vector<uint32_t>{0x80808080u}));
  // Three pixels into one: the plain mean, 345 / 3.
  EXPECT_EQ(AverageDown({3, 1, {0, 90, 255}}, 1, 1).pixels, (std::vector<uint32_t>{115}));
  // Five into two: each output takes two pixels and half of the middle one.
  EXPECT_EQ(AverageDown({1, 5, {10, 20, 100, 40, 50}}, 1, 2).pixels,
            (std::vector<uint32_t>{(10 * 2 + 20 * 2 + 100 + 2) / 5,
                                   (100 + 40 * 2 + 50 * 2 + 2) / 5}));
}

TEST(RectAtLevel, ShrinksWithTheLevelAndStaysInsideIt) {
  ExpectRect(RectAtLevel({0, 0, 8, 4}, 8, 4, 1), {0, 0, 4, 2});
  ExpectRect(RectAtLevel({2, 1, 5, 3}, 8, 4, 1), {1, 0, 3, 2});
  // The last column of a 5-wide level 0 falls in the last column of the 2-wide level 1.
  ExpectRect(RectAtLevel({4, 0, 5, 1}, 5, 1, 1), {1, 0, 2, 1});
  ExpectRect(RectAtLevel({3, 3, 4, 4}, 8, 8, 3), {0, 0, 1, 1});
}
