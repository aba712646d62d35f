#pragma once
// The writers of the score's parts. Each turns one passage of the arrangement into the
// notes of its instruments.
#include <cstdint>
#include <vector>

#include "kit/random.h"
#include "music/arrangement.h"
#include "music/note_event.h"
#include "music/tunes.h"

// One passage with everything its writers need to place notes in time and in key.
struct PassageContext {
  const Section& section;
  const Passage& passage;
  BarGrid grid;           // the section's
  int firstBar;           // the passage's first bar, counted in its section
  bool opensSection;
  bool opensSoundtrack;

  int Steps() const { return passage.bars * kStepsPerBar; }
  // The frame `step` sixteenths after the passage's first downbeat.
  int64_t Frame(double step) const { return grid.Frame(firstBar * kStepsPerBar + step); }
  // The frames from `step` to `step + steps`.
  int64_t Span(double step, double steps) const { return Frame(step + steps) - Frame(step); }
  // The chord of the passage's bar `bar` (from 0).
  const Chord& ChordOfBar(int bar) const { return ChordAt(passage.progression, bar); }
};

// Calls play(firstBar, bars, chord) once for each chord the passage goes through.
template <typename Play>
void ForEachChord(const PassageContext& passage, Play play) {
  int bar = 0;
  while (bar < passage.passage.bars) {
    const Chord& chord = passage.ChordOfBar(bar);
    int bars = 1;
    while (bar + bars < passage.passage.bars && &passage.ChordOfBar(bar + bars) == &chord) ++bars;
    play(bar, bars, chord);
    bar += bars;
  }
}

// The pitches of `chord` in `key` (semitones above A minor), each placed in [low, low + 12),
// in the order of the chord's intervals.
std::vector<int> ChordNotesFrom(const Chord& chord, int key, int low);

void WriteDrums(const PassageContext& passage, ContentRandom& random, Score& score);
void WriteBass(const PassageContext& passage, ContentRandom& random, Score& score);
// The pad and the figure over it.
void WriteChords(const PassageContext& passage, ContentRandom& random, Score& score);
void WriteLead(const PassageContext& passage, Score& score);
