#include "progress_line.h"

#include <sstream>

#include <gtest/gtest.h>

namespace {

TEST(ProgressLineTest, TellsTheRateAndTheTimeLeft) {
  EXPECT_EQ(FormatProgress(120, 300, 54.0, 4.0),
            "frame 120/300  demo 54.000 s  30.0 fps  0:06 left");
  EXPECT_EQ(FormatProgress(100, 18000, 1.65, 2.0),
            "frame 100/18000  demo 1.650 s  50.0 fps  5:58 left");
  EXPECT_EQ(FormatProgress(0, 10, 0.0, 0.0), "frame 0/10  demo 0.000 s  0.0 fps  -:-- left");
}

TEST(ProgressLineTest, ElsewhereThanATerminalALineComesEveryFewSeconds) {
  std::ostringstream out;
  double now = 100.0;
  ProgressLine progress(out, /*terminal=*/false, 50, [&] { return now; });
  for (int frame = 1; frame <= 40; ++frame) {
    now += 0.25;  // ten seconds in all
    progress.Update(frame, frame / 30.0);
  }
  progress.Finish();
  const std::string text = out.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.find("frame 20/50"), 0u) << text;
}

TEST(ProgressLineTest, OnATerminalTheLineIsRedrawnInPlaceAndEndedOnce) {
  std::ostringstream out;
  double now = 0.0;
  ProgressLine progress(out, /*terminal=*/true, 3, [&] { return now; });
  progress.Update(1, 0.0);  // too soon to draw
  now = 1.0;
  progress.Update(2, 0.1);
  progress.Update(3, 0.2);  // the last frame is always drawn
  progress.Finish();
  EXPECT_EQ(out.str(),
            "\rframe 2/3  demo 0.100 s  2.0 fps  0:01 left\x1b[K"
            "\rframe 3/3  demo 0.200 s  3.0 fps  0:00 left\x1b[K\n");
}

}  // namespace
