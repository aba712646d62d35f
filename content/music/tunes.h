#pragma once
// The harmony and the melodies the soundtrack is written from: chord progressions and
// lead lines, all in A minor; a section transposes them to its key.
#include <optional>
#include <string_view>
#include <vector>

#include "music/arrangement.h"

struct Chord {
  int root;                    // semitones above A
  std::vector<int> intervals;  // chord tones above the root, the root (0) first
  int bars;
};

// The chord sounding in bar `bar` (from 0) of a passage that loops `progression`.
const Chord& ChordAt(Progression progression, int bar);

struct MelodyNote {
  int step;   // sixteenths from the melody's start
  int steps;  // duration in sixteenths
  int note;   // MIDI note number
};

struct Melody {
  int bars = 0;
  std::vector<MelodyNote> notes;  // rests are gaps between notes
};

// Reads a line written as bars separated by '|', each a run of "note:sixteenths" tokens
// ("c#5:3", "bb4:2", "r:4" for a rest) that must fill exactly 16 sixteenths. Returns
// nothing for text that does not follow this form.
std::optional<Melody> ParseMelody(std::string_view text);

// The lead line for `tune` (not Tune::kNone).
const Melody& MelodyOf(Tune tune);
