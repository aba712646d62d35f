// The demo's script, built for real from the generated archive.
#include "show/timeline_script.h"

#include <gtest/gtest.h>

#include "archive_directory_fixture.h"
#include "capture_session.h"
#include "demo/part.h"
#include "scene_timeline.h"

namespace {

// Runs a capture session in a working directory that holds the generated archive.
class ScriptOnArchiveTest : public ArchiveDirectoryTest {
 protected:
  // The names of the parts drawn in the frame at `seconds`, in drawing order.
  static std::vector<std::string> DrawnAt(CaptureSession& session, double seconds) {
    session.DrawFrameAt(seconds);
    std::vector<std::string> names;
    for (const TimelineEntry& entry : session.demo().timeline().active()) {
      names.push_back(entry.name);
    }
    return names;
  }
};

TEST_F(ScriptOnArchiveTest, EveryRowInitialisesAndTheRowsAreInStartOrder) {
  CaptureSession session(320, 240, /*mute=*/true, BuildTimeline);
  const std::list<TimelineEntry>& pending = session.demo().timeline().pending();
  ASSERT_FALSE(pending.empty());
  float previousStart = -1;
  for (const TimelineEntry& entry : pending) {
    EXPECT_GE(entry.start, previousStart) << entry.name;
    EXPECT_LT(entry.start, entry.end) << entry.name;
    previousStart = entry.start;
  }
  EXPECT_EQ(pending.front().name, "intro");
  EXPECT_EQ(pending.front().start, 0 + kTimeOffset);
  EXPECT_EQ(pending.back().name, "final");
  EXPECT_EQ(pending.back().end, 300 + kTimeOffset);
}

TEST_F(ScriptOnArchiveTest, CutsAreFadesDrawnOverTheirShots) {
  CaptureSession session(320, 240, /*mute=*/true, BuildTimeline);
  using Names = std::vector<std::string>;
  // Times as the script states them; the frames are drawn at the offset demo time.
  const auto drawnAt = [&](double scripted) { return DrawnAt(session, scripted + kTimeOffset); };
  EXPECT_EQ(drawnAt(27.7), (Names{"intro", "fade"}));
  EXPECT_EQ(drawnAt(28.0), (Names{"binary", "fade"}));
  EXPECT_EQ(drawnAt(57.0), (Names{"binary", "title", "fade"}));
  EXPECT_EQ(drawnAt(58.2), (Names{"terrain", "fade"}));
  EXPECT_EQ(drawnAt(64.0), (Names{"terrain"}));
  EXPECT_EQ(drawnAt(69.5), (Names{"terrain", "fade"}));
  EXPECT_EQ(drawnAt(81.8), (Names{"fast1", "fade"}));
  EXPECT_EQ(drawnAt(88.0), (Names{"fast1"}));
  EXPECT_EQ(drawnAt(117.6), (Names{"surgery", "fade"}));
  EXPECT_EQ(drawnAt(124.0), (Names{"fast2"}));
  EXPECT_EQ(drawnAt(135.0), (Names{"ppl part1"}));
  EXPECT_EQ(drawnAt(189.8), (Names{"ppl part2", "ppl2text", "fade"}));
  EXPECT_EQ(drawnAt(190.1), (Names{"tunnel", "greets", "fade"}));
  EXPECT_EQ(drawnAt(200.0), (Names{"tunnel", "greets"}));
  EXPECT_EQ(drawnAt(265.0), (Names{"hrnend", "end", "fade"}));
  EXPECT_EQ(drawnAt(280.0), (Names{"final"}));
}

TEST_F(ScriptOnArchiveTest, AnySceneOfTheArchivePlaysOnItsOwn) {
  for (const char* scene : {"text.hrn", "weird.hrn"}) {
    CaptureSession session(160, 120, /*mute=*/true, SceneOnlyTimeline(scene));
    EXPECT_EQ(DrawnAt(session, 1.0), (std::vector<std::string>{scene}));
    EXPECT_GT(session.demo().timeline().parts().front()->frames, 0);
  }
}

}  // namespace
