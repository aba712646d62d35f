// The soundtrack's form against the timeline: where sections start, their bars and
// tempos, and what marks each cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "music/arrangement.h"
#include "music/score_writer.h"
#include "music/sound_dsp.h"

namespace {

// The timeline's shots, as its script states them, and the offset it adds to every time.
constexpr double kTimelineOffset = 0.503634;
constexpr double kCuts[] = {0.0,       27.892973, 44.908302, 57.99461,  69.99704,
                            81.63964,  93.9941,   117.8936,  130.33583, 142.37498,
                            178.1797,  190.03316, 214.20612, 263.95142, 270.6807};
constexpr double kTimelineEnd = 300.0;

TEST(ArrangementTest, SectionsStartAtTheTimelinesCutsToTheFrame) {
  ASSERT_EQ(Sections().size(), std::size(kCuts));
  for (size_t index = 0; index <= std::size(kCuts); ++index) {
    const double cut = index < std::size(kCuts) ? kCuts[index] : kTimelineEnd;
    const double exactFrame = (kTimelineOffset + cut) * kSampleRate;
    EXPECT_LE(std::fabs(static_cast<double>(SectionStartFrame(index)) - exactFrame), 0.5 + 1e-3) << index;
  }
}

TEST(ArrangementTest, EverySectionIsWholeBarsNearOneTempo) {
  for (size_t index = 0; index < Sections().size(); ++index) {
    const BarGrid grid = SectionGrid(index);
    const int bars = Sections()[index].Bars();
    EXPECT_EQ(grid.Frame(0), SectionStartFrame(index));
    // The last bar ends exactly where the next section begins.
    EXPECT_EQ(grid.Frame(bars * kStepsPerBar), SectionStartFrame(index + 1)) << Sections()[index].part;
    EXPECT_GT(grid.BeatsPerMinute(), 140.0) << Sections()[index].part;
    EXPECT_LT(grid.BeatsPerMinute(), 170.0) << Sections()[index].part;
  }
}

TEST(ArrangementTest, NeighbouringSectionsDifferInInstrumentsOrKey) {
  for (size_t index = 1; index < Sections().size(); ++index) {
    const Section& before = Sections()[index - 1];
    const Section& after = Sections()[index];
    const Passage& last = before.passages.back();
    const Passage& first = after.passages.front();
    const bool differ = before.key != after.key || last.groove != first.groove || last.bass != first.bass ||
                        last.figure != first.figure || last.tune != first.tune || last.pad != first.pad;
    EXPECT_TRUE(differ) << after.part;
  }
}

TEST(ScoreTest, EveryCutIsStruckByACrash) {
  const Score score = WriteScore();
  for (size_t index = 1; index < Sections().size(); ++index) {
    const int64_t cut = SectionStartFrame(index);
    const bool crash = std::any_of(score.begin(), score.end(), [&](const NoteEvent& note) {
      return note.instrument == Instrument::kCrash && note.start == cut;
    });
    EXPECT_TRUE(crash) << Sections()[index].part;
  }
}

TEST(ScoreTest, NotesAreInOrderAndInsideTheSoundtrack) {
  const Score score = WriteScore();
  ASSERT_FALSE(score.empty());
  EXPECT_TRUE(std::is_sorted(score.begin(), score.end(),
                             [](const NoteEvent& a, const NoteEvent& b) { return a.start < b.start; }));
  const int64_t timelineEnd = SectionStartFrame(Sections().size());
  for (const NoteEvent& note : score) {
    ASSERT_GE(note.start, 0);
    ASSERT_LT(note.start, timelineEnd);
    ASSERT_GE(note.length, 0);
    ASSERT_LE(note.start + note.length, timelineEnd);
    ASSERT_GT(note.velocity, 0.0f);
    ASSERT_LE(note.velocity, 1.0f);
  }
}

TEST(ScoreTest, OpensWithStaticFromTheFirstFrame) {
  const Score score = WriteScore();
  ASSERT_FALSE(score.empty());
  EXPECT_EQ(score.front().instrument, Instrument::kStatic);
  EXPECT_EQ(score.front().start, 0);
  // Nothing else sounds during the lead-in before the first shot.
  for (const NoteEvent& note : score) {
    if (note.instrument != Instrument::kStatic) {
      EXPECT_GE(note.start, SectionStartFrame(0));
    }
  }
}

}  // namespace
