// The timeline on a real demo runtime: activation, drawing order, progress, retirement,
// the letterbox, exception reporting, resizing and the end of the demo.
#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "base/demo_error.h"
#include "demo/timeline.h"
#include "support/demo_archive.h"
#include "support/demo_fixture.h"

namespace {

using Fault = ProbePart::Fault;

class TimelineTest : public DemoFixture {
 protected:
  void SetUp() override {
    DemoFixture::SetUp();
    CompoundFileBuilder archive = DemoArchive();
    archive.AddStream("readme", "an archive with no music");
    WriteArchive(archive);
  }

  // Adds a probe part named and labelled `name`.
  void Add(CDemo& demo, const std::string& name, double start, double end,
           Fault fault = Fault::kNone) {
    demo.AddPart(std::make_unique<ProbePart>(&demo, journal_, name, fault), name, start, end);
  }

  // Sets the clock so that demo time reads exactly `t` (an f32 the timeline holds).
  void SetDemoTimeExactly(float t) {
    const double frequency = static_cast<double>(demo_->timer().frequency);
    clock_.SetTicks(demo_->timer().start + static_cast<uint64_t>(std::llround(t * frequency)));
    ASSERT_EQ(demo_->CurrentTime(), t);
  }

  size_t CountCalls(const std::string& call) const {
    return static_cast<size_t>(std::count(journal_.calls.begin(), journal_.calls.end(), call));
  }
};

TEST_F(TimelineTest, PartsPlayInTheirWindowsInScriptOrder) {
  BuildDemo([&](CDemo& demo) {
    Add(demo, "shot", 0, 1);
    Add(demo, "cover", 0, 1);
    Add(demo, "late", 0.5, 2);
  });
  EXPECT_EQ(demo_->timeline().pending().size(), 3u);
  EXPECT_FLOAT_EQ(demo_->timeline().pending().front().start, kTimeOffset);

  journal_.calls.clear();
  EXPECT_TRUE(DrawFrameAt(0.5));  // before the offset: nothing has started
  EXPECT_TRUE(journal_.calls.empty());

  EXPECT_TRUE(DrawFrameAt(0.75));
  const std::vector<std::string> firstFrame{"shot Start", "cover Start", "shot Render",
                                            "cover Render"};
  EXPECT_EQ(journal_.calls, firstFrame);
  ASSERT_EQ(journal_.renders.size(), 2u);
  EXPECT_NEAR(journal_.renders[0].second, 0.75 - kTimeOffset, 1e-5);

  journal_.calls.clear();
  journal_.renders.clear();
  EXPECT_TRUE(DrawFrameAt(1.2));
  const std::vector<std::string> secondFrame{"late Start", "shot Render", "cover Render",
                                             "late Render"};
  EXPECT_EQ(journal_.calls, secondFrame);
  EXPECT_NEAR(journal_.renders[2].second, (1.2 - 0.5 - kTimeOffset) / 1.5, 1e-5);
}

TEST_F(TimelineTest, APartIsDrawnWithProgressOneAtItsEndAndRetiredAfterIt) {
  BuildDemo([&](CDemo& demo) { Add(demo, "shot", 0, 1); });
  const float end = demo_->timeline().pending().front().end;

  SetDemoTimeExactly(end);
  EXPECT_TRUE(demo_->DrawFrame());
  ASSERT_EQ(journal_.renders.size(), 1u);
  EXPECT_EQ(journal_.renders[0].second, 1.0f);

  journal_.calls.clear();
  SetDemoTimeExactly(end + 1e-5f);
  EXPECT_FALSE(demo_->DrawFrame());
  EXPECT_EQ(journal_.calls, std::vector<std::string>{"shot Stop"});
}

TEST_F(TimelineTest, PartsDrawInsideTheLetterbox) {
  BuildDemo([&](CDemo& demo) { Add(demo, "shot", 0, 10); });
  DrawFrameAt(1.0);
  ASSERT_EQ(journal_.viewports.size(), 1u);
  EXPECT_EQ(journal_.viewports[0].dwY, 38u);
  EXPECT_EQ(journal_.viewports[0].dwHeight, 404u);
  EXPECT_EQ(journal_.viewports[0].dwWidth, 640u);

  // 600 x 0.08 in f32 precision is just under 48.
  demo_->OnResize(800, 600);
  DrawFrameAt(2.0);
  ASSERT_EQ(journal_.viewports.size(), 2u);
  EXPECT_EQ(journal_.viewports[1].dwY, 47u);
  EXPECT_EQ(journal_.viewports[1].dwHeight, 506u);
  EXPECT_EQ(journal_.viewports[1].dwWidth, 800u);
}

TEST_F(TimelineTest, APartWithoutAWindowOrSkippedByALateFrameIsNeverDrawn) {
  BuildDemo([&](CDemo& demo) {
    Add(demo, "instant", 0, 0);
    Add(demo, "brief", 1, 1.1);
    Add(demo, "long", 1, 100);
  });
  journal_.calls.clear();
  DrawFrameAt(0.6);
  EXPECT_EQ(CountCalls("instant Start"), 1u);
  EXPECT_EQ(CountCalls("instant Stop"), 1u);
  EXPECT_EQ(CountCalls("instant Render"), 0u);

  DrawFrameAt(5.0);  // jumps over the whole of "brief"
  EXPECT_EQ(CountCalls("brief Start"), 1u);
  EXPECT_EQ(CountCalls("brief Stop"), 1u);
  EXPECT_EQ(CountCalls("brief Render"), 0u);
  EXPECT_EQ(CountCalls("long Render"), 1u);
  DrawFrameAt(6.0);  // "long" is still showing when the demo is shut down

  const std::string log = FinishAndReadLog();
  EXPECT_EQ(log.find("instant:"), std::string::npos);
  EXPECT_EQ(log.find("brief:"), std::string::npos);
  EXPECT_NE(log.find("long: "), std::string::npos);
}

TEST_F(TimelineTest, OnlyTheHeadOfThePendingListIsExamined) {
  BuildDemo([&](CDemo& demo) {
    Add(demo, "first", 2, 10);
    Add(demo, "early", 1, 10);  // out of order: waits for "first"
  });
  DrawFrameAt(1.8);
  EXPECT_EQ(CountCalls("early Start"), 0u);
  DrawFrameAt(2.8);
  EXPECT_EQ(CountCalls("first Start"), 1u);
  EXPECT_EQ(CountCalls("early Start"), 1u);
}

TEST_F(TimelineTest, AnExceptionFromRenderIsLoggedOncePerPart) {
  BuildDemo([&](CDemo& demo) {
    Add(demo, "broken", 0, 10, Fault::kThrowInRender);
    Add(demo, "odd", 0, 10, Fault::kThrowNonStandardInRender);
    Add(demo, "healthy", 0, 10);
  });
  for (double t = 1.0; t < 4.0; t += 1.0) EXPECT_TRUE(DrawFrameAt(t));
  EXPECT_EQ(CountCalls("broken Render"), 3u);
  EXPECT_EQ(CountCalls("odd Render"), 3u);
  EXPECT_EQ(CountCalls("healthy Render"), 3u);

  const std::string log = FinishAndReadLog();
  const auto occurrences = [&](const std::string& text) {
    size_t count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
      ++count;
    }
    return count;
  };
  EXPECT_EQ(occurrences("*** Unhandled Exception in broken ***\n"), 1u);
  EXPECT_EQ(occurrences("*** Unhandled Exception in odd ***\n"), 1u);
  EXPECT_EQ(occurrences("*** Unhandled Exception in healthy"), 0u);
}

TEST_F(TimelineTest, TheDemoEndsWhenTheLastPartRetires) {
  BuildDemo([&](CDemo& demo) {
    Add(demo, "one", 0, 1);
    Add(demo, "two", 0, 2);
  });
  EXPECT_TRUE(DrawFrameAt(1.0));
  EXPECT_TRUE(DrawFrameAt(2.0));
  EXPECT_FALSE(DrawFrameAt(3.0));
  EXPECT_TRUE(demo_->timeline().active().empty());
  EXPECT_TRUE(demo_->timeline().pending().empty());

  const std::string log = FinishAndReadLog();
  const size_t done = log.find("---- DONE ----\n");
  ASSERT_NE(done, std::string::npos);
  EXPECT_EQ(log.find("---- DONE ----", done + 1), std::string::npos);
  EXPECT_LT(done, log.find("---- Cleaning up ----\n"));
}

TEST_F(TimelineTest, ResizingReachesEveryPartButTheZeroSizeOfAMinimisedWindowIsIgnored) {
  BuildDemo([&](CDemo& demo) {
    Add(demo, "finished", 0, 0.5);
    Add(demo, "showing", 0, 10);
    Add(demo, "waiting", 5, 10);
  });
  DrawFrameAt(2.0);
  journal_.calls.clear();

  demo_->OnResize(0, 0);
  demo_->OnResize(320, 0);
  EXPECT_TRUE(journal_.calls.empty());
  EXPECT_EQ(demo_->width(), 640u);
  EXPECT_EQ(demo_->height(), 480u);
  EXPECT_TRUE(DrawFrameAt(2.5));  // and the demo plays on

  journal_.calls.clear();
  demo_->OnResize(1024, 768);
  const std::vector<std::string> resized{"finished Resize", "showing Resize", "waiting Resize"};
  EXPECT_EQ(journal_.calls, resized);
  EXPECT_EQ(g_screenWidth, 1024u);
  EXPECT_EQ(g_screenHeight, 768u);
}

TEST_F(TimelineTest, AFailingInitEndsConstructionWithItsMessage) {
  try {
    BuildDemo([&](CDemo& demo) {
      Add(demo, "good", 0, 1);
      Add(demo, "bad", 1, 2, Fault::kThrowInInit);
      Add(demo, "never", 2, 3);
    });
    FAIL() << "construction went on";
  } catch (const demoError& error) {
    EXPECT_STREQ(error.message(), "bad could not load");
  }
  // Both parts that were added are owned by the demo and released with it.
  EXPECT_EQ(CountCalls("good Release"), 1u);
  EXPECT_EQ(CountCalls("bad Release"), 1u);
  EXPECT_EQ(CountCalls("never Init"), 0u);
  EXPECT_EQ(g_demo, nullptr);
}

}  // namespace
