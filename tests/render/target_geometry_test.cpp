#include <gtest/gtest.h>

#include "render/state/target_geometry.h"

namespace {

void ExpectRect(const PixelRect& actual, const PixelRect& expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.width, expected.width);
  EXPECT_EQ(actual.height, expected.height);
}

}  // namespace

TEST(FitKeepingAspect, CentresThePictureBetweenBars) {
  ExpectRect(FitKeepingAspect(640, 480, 640, 480), {0, 0, 640, 480});
  ExpectRect(FitKeepingAspect(640, 480, 1920, 1080), {240, 0, 1440, 1080});
  ExpectRect(FitKeepingAspect(640, 480, 1280, 1024), {0, 32, 1280, 960});
  const PixelRect minimised = FitKeepingAspect(640, 480, 0, 0);
  EXPECT_EQ(minimised.width * minimised.height, 0);
}
