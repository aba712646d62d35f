// The frame names of animated textures, from the material's name and the first frame's.
#include "scene/animated_texture_names.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

TEST(AnimatedTextureNames, NumberTheStemFromOneToTheCountInTheMaterialName) {
  EXPECT_EQ(AnimatedTextureNames("water_ANIMATED3", "ripple1.png"),
            (Names{"ripple1.png", "ripple2.png", "ripple3.png"}));
  // Only the one character before the last dot is dropped; the count ends at a non-digit.
  EXPECT_EQ(AnimatedTextureNames("fx_ANIMATED2_slow", "fire.01.gif"),
            (Names{"fire.01.gif", "fire.02.gif"}));
}

TEST(AnimatedTextureNames, BrokenNamesGiveFewOrNoFrames) {
  EXPECT_TRUE(AnimatedTextureNames("water", "ripple1.png").empty());
  EXPECT_TRUE(AnimatedTextureNames("water_ANIMATED", "ripple1.png").empty());
  EXPECT_TRUE(AnimatedTextureNames("water_ANIMATED-4", "ripple1.png").empty());
  EXPECT_EQ(AnimatedTextureNames("water_ANIMATED2", "ripple1"), (Names{"ripple1", "ripple2"}));
  EXPECT_EQ(AnimatedTextureNames("water_ANIMATED1", ".png"), (Names{"1.png"}));
  EXPECT_EQ(AnimatedTextureNames("water_ANIMATED99999999", "a1.png").size(),
            static_cast<size_t>(kMaxAnimatedTextureFrames));
}

}  // namespace
