// The benchmark's arithmetic and report, and its counts on real frames of known overdraw.
#include "part_bench.h"

#include <gtest/gtest.h>

#include <limits>
#include <regex>
#include <sstream>

#include "archive_directory_fixture.h"
#include "capture_session.h"
#include "effects/fade.h"
#include "frame_statistics.h"

namespace {

TEST(FrameStatisticsTest, MedianTakesTheMiddleOrTheMeanOfTheTwoMiddleValues) {
  EXPECT_EQ(Median({}), 0.0);
  EXPECT_EQ(Median({7}), 7.0);
  EXPECT_EQ(Median({9, 1, 5}), 5.0);
  EXPECT_EQ(Median({4, 1, 3, 2}), 2.5);
}

TEST(FrameStatisticsTest, PercentileIsTheNearestRank) {
  std::vector<double> hundred;
  for (int value = 100; value >= 1; --value) hundred.push_back(value);
  EXPECT_EQ(Percentile(hundred, 95), 95.0);
  EXPECT_EQ(Percentile(hundred, 0), 1.0);
  EXPECT_EQ(Percentile(hundred, 100), 100.0);
  // Of 10 values, the 95th percentile is the largest: 9 values cover only 90 %.
  EXPECT_EQ(Percentile({1, 2, 3, 4, 5, 6, 7, 8, 9, 50}, 95), 50.0);
  EXPECT_EQ(Percentile({3, 1, 2}, 50), 2.0);
  EXPECT_EQ(Percentile({}, 95), 0.0);
}

// Benchmarks a script of fades (each covers the band once) from the generated archive.
class BenchOnArchiveTest : public ArchiveDirectoryTest {
 protected:
  static std::string Bench(const TimelineScript& script, double from, double to) {
    CaptureSession session(320, 240, /*mute=*/true, script);
    std::ostringstream report;
    RunBench(session, 10, from, to, report);
    return report.str();
  }

  // The overdraw figure of the report line of the part or total called `name`.
  static double OverdrawOf(const std::string& report, const std::string& name) {
    const std::regex line("(^|\\n) *(\\d+  )?" + name +
                          " +\\d+ frames +[0-9.]+ fps +[0-9.]+ ms median +[0-9.]+ ms 95% +"
                          "([0-9.]+) overdraw\\n");
    std::smatch match;
    if (!std::regex_search(report, match, line)) return -1;
    return std::stod(match[3]);
  }
};

void AddFade(CDemo& demo, const std::string& name, double start, double end) {
  demo.AddPart(std::make_unique<CFade>(&demo, FadeDirection::kToColour, 0xFFFFFF), name, start,
               end);
}

TEST_F(BenchOnArchiveTest, AQuadOverTheBandIsAnOverdrawOfOne) {
  const std::string report =
      Bench([](CDemo& demo) { AddFade(demo, "cover", 0, 2); }, 0,
            std::numeric_limits<double>::infinity());
  EXPECT_DOUBLE_EQ(OverdrawOf(report, "cover"), 1.0) << report;
  // Parts appear with their index in the script.
  EXPECT_NE(report.find("  0  cover "), std::string::npos) << report;
}

TEST_F(BenchOnArchiveTest, PartsSharingFramesShareTheirFragments) {
  // "under" plays alone for its first second, then "over" joins it: every frame of "over"
  // covers the band twice, and "under" has a mix of single and double frames.
  const std::string report = Bench(
      [](CDemo& demo) {
        AddFade(demo, "under", 0, 2);
        AddFade(demo, "over", 1, 2);
      },
      0, std::numeric_limits<double>::infinity());
  EXPECT_DOUBLE_EQ(OverdrawOf(report, "over"), 2.0) << report;
  const double under = OverdrawOf(report, "under");
  EXPECT_GT(under, 1.2) << report;
  EXPECT_LT(under, 1.8) << report;
}

TEST_F(BenchOnArchiveTest, TheRangeLimitsTheFramesDrawn) {
  const std::string report =
      Bench([](CDemo& demo) { AddFade(demo, "cover", 0, 10); }, 2, 3);
  // Frames at 2.0, 2.1, ..., 2.9 s.
  EXPECT_TRUE(std::regex_search(report, std::regex("  0  cover +10 frames"))) << report;
}

TEST_F(BenchOnArchiveTest, TheProbeShadesEveryPixelOfTheBandOncePerQuad) {
  const std::string report =
      Bench([](CDemo& demo) { AddFade(demo, "cover", 0, 1); }, 0, 0.5);
  // 240 lines have bars of 19, so the band is 320 x 202; the probe draws 256 quads.
  const std::regex probe("^fill rate: [0-9.]+ M fragments/s \\(256 textured quads of 320x202, "
                         "trilinear, 16547840 fragments\\)\\n");
  EXPECT_TRUE(std::regex_search(report, probe)) << report;
}

}  // namespace
