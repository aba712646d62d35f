// The written material: the melody notation, the lead lines and chord voicing.
#include <gtest/gtest.h>

#include "music/score_parts.h"
#include "music/tunes.h"

namespace {

TEST(MelodyNotationTest, ReadsNotesRestsAndAccidentals) {
  const std::optional<Melody> melody = ParseMelody("c4:4 r:4 d#5:6 bb3:2 | a4:16");
  ASSERT_TRUE(melody.has_value());
  EXPECT_EQ(melody->bars, 2);
  ASSERT_EQ(melody->notes.size(), 4u);
  EXPECT_EQ(melody->notes[0].step, 0);
  EXPECT_EQ(melody->notes[0].note, 60);
  EXPECT_EQ(melody->notes[1].step, 8);
  EXPECT_EQ(melody->notes[1].steps, 6);
  EXPECT_EQ(melody->notes[1].note, 75);
  EXPECT_EQ(melody->notes[2].step, 14);
  EXPECT_EQ(melody->notes[2].note, 58);
  EXPECT_EQ(melody->notes[3].step, 16);
  EXPECT_EQ(melody->notes[3].note, 69);
}

TEST(MelodyNotationTest, RefusesBarsThatDoNotAddUpAndUnknownTokens) {
  EXPECT_FALSE(ParseMelody("c4:4 d4:4").has_value());
  EXPECT_FALSE(ParseMelody("c4:8 d4:8 e4:2").has_value());
  EXPECT_FALSE(ParseMelody("h4:16").has_value());
  EXPECT_FALSE(ParseMelody("c4 d4:12").has_value());
  EXPECT_FALSE(ParseMelody("c4:x").has_value());
  EXPECT_FALSE(ParseMelody("c#:16").has_value());
}

TEST(LeadLinesTest, FillWholeBarsInARangeALeadCanSing) {
  for (Tune tune : {Tune::kTheme, Tune::kCounter, Tune::kDark, Tune::kMellow}) {
    const Melody& melody = MelodyOf(tune);
    EXPECT_GE(melody.bars, 4);
    ASSERT_FALSE(melody.notes.empty());
    EXPECT_EQ(melody.notes.front().step, 0);
    for (const MelodyNote& note : melody.notes) {
      EXPECT_GE(note.note, 60);
      EXPECT_LE(note.note, 80);
      EXPECT_LE(note.step + note.steps, melody.bars * kStepsPerBar);
    }
  }
}

TEST(ChordVoicingTest, PlacesChordTonesInTheOctaveAboveTheFloor) {
  // A minor from E3: A3, C4, E3.
  const Chord aMinor{0, {0, 3, 7}, 1};
  EXPECT_EQ(ChordNotesFrom(aMinor, 0, 52), (std::vector<int>{57, 60, 52}));
  // The same chord in C minor (three semitones up): C4, D#4, G3.
  EXPECT_EQ(ChordNotesFrom(aMinor, 3, 52), (std::vector<int>{60, 63, 55}));
  // F major seventh from A3: F4, A3, C4, E4.
  const Chord fMajorSeventh{8, {0, 4, 7, 11}, 1};
  EXPECT_EQ(ChordNotesFrom(fMajorSeventh, 0, 57), (std::vector<int>{65, 57, 60, 64}));
}

TEST(ProgressionTest, LoopsOverItsChords) {
  EXPECT_EQ(ChordAt(Progression::kTheme, 0).root, 0);
  EXPECT_EQ(ChordAt(Progression::kTheme, 1).root, 8);
  EXPECT_EQ(&ChordAt(Progression::kTheme, 5), &ChordAt(Progression::kTheme, 1));
  // The opening holds each chord for two bars.
  EXPECT_EQ(&ChordAt(Progression::kOpening, 2), &ChordAt(Progression::kOpening, 3));
  EXPECT_NE(&ChordAt(Progression::kOpening, 1), &ChordAt(Progression::kOpening, 2));
}

}  // namespace
