#include "icon/program_icon.h"

#include <gtest/gtest.h>

namespace {

// What a desktop shows: a rounded tile (clear corners), the glass lit warm in its middle,
// night-blue tile around it.
TEST(ProgramIconTest, ALitLanternOnARoundedNightTile) {
  const PixelImage icon = PaintProgramIcon(256);
  ASSERT_EQ(icon.width(), 256);
  ASSERT_EQ(icon.height(), 256);
  for (const auto& [x, y] : {std::pair{0, 0}, {255, 0}, {0, 255}, {255, 255}}) {
    EXPECT_EQ(icon.at(x, y).a, 0) << x << "," << y;
  }
  const Rgba8 glass = icon.at(128, 140);
  EXPECT_EQ(glass.a, 255);
  EXPECT_GT(glass.r, 200);
  EXPECT_GT(glass.r, glass.b + 60);
  const Rgba8 tile = icon.at(20, 30);
  EXPECT_EQ(tile.a, 255);
  EXPECT_GT(tile.b, tile.r);
}

}  // namespace
