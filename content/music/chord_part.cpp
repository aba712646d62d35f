// The chords: a sustained pad and, over it, a figure that moves through the chord tones
// (bells, a sixteenth arpeggio, syncopated stabs or an electric piano comping).
#include <algorithm>

#include "music/score_parts.h"

namespace {

// Registers, as the lowest note of the octave each part is voiced in.
constexpr int kPadFloor = 52;    // E3
constexpr int kKeysFloor = 57;   // A3
constexpr int kStabFloor = 60;   // C4
constexpr int kArpFloor = 64;    // E4
constexpr int kBellFloor = 69;   // A4

float PadBrightness(PadColour colour) {
  switch (colour) {
    case PadColour::kDark: return 0.15f;
    case PadColour::kWarm: return 0.4f;
    case PadColour::kBright: return 0.75f;
    case PadColour::kNone: break;
  }
  return 0.0f;
}

struct ChordWriter {
  const PassageContext& passage;
  ContentRandom& random;
  Score& score;

  void Play(Instrument instrument, double step, double steps, int note, float velocity, float pan,
            float brightness) const {
    score.push_back({passage.Frame(step), passage.Span(step, steps), instrument, static_cast<float>(note),
                     velocity, pan, brightness});
  }

  std::vector<int> Notes(const Chord& chord, int floor) const {
    std::vector<int> notes = ChordNotesFrom(chord, passage.section.key, floor);
    std::sort(notes.begin(), notes.end());
    return notes;
  }

  void Pad(int firstBar, int bars, const Chord& chord) const {
    const PadColour colour = passage.passage.pad;
    if (colour == PadColour::kNone) return;
    std::vector<int> notes = Notes(chord, kPadFloor);
    // A bright pad doubles its middle tone an octave up.
    if (colour == PadColour::kBright) notes.push_back(notes[1] + 12);
    for (int note : notes) {
      Play(Instrument::kPad, firstBar * kStepsPerBar, bars * kStepsPerBar, note, 0.8f, 0.0f,
           PadBrightness(colour) * (0.7f + 0.3f * passage.passage.energy));
    }
  }

  void Bells(int bar, const Chord& chord) const {
    const std::vector<int> notes = Notes(chord, kBellFloor);
    const int every = passage.passage.energy >= 0.3f ? 4 : 8;
    for (int step = 0; step < kStepsPerBar; step += every) {
      const int turn = (bar * kStepsPerBar + step) / every;
      const int note = notes[(turn * 2) % notes.size()] + (turn % 3 == 2 ? 12 : 0);
      Play(Instrument::kBell, bar * kStepsPerBar + step, every - 1, note, random.Range(0.5f, 0.65f),
           turn % 2 == 0 ? -0.4f : 0.4f, passage.passage.energy);
    }
  }

  void Arpeggio(int bar, const Chord& chord) const {
    std::vector<int> tones = Notes(chord, kArpFloor);
    const size_t count = tones.size();
    for (size_t i = 0; i < count; ++i) tones.push_back(tones[i] + 12);
    constexpr int kShape[8] = {0, 1, 2, 3, 4, 3, 2, 1};
    for (int step = 0; step < kStepsPerBar; ++step) {
      const float accent = step % 4 == 0 ? 1.0f : 0.7f;
      Play(Instrument::kPluck, bar * kStepsPerBar + step, 0.8, tones[kShape[step % 8]],
           accent * random.Range(0.55f, 0.65f), step % 2 == 0 ? -0.35f : 0.35f,
           0.3f + 0.6f * passage.passage.energy);
    }
  }

  void Stabs(int bar, const Chord& chord) const {
    constexpr const char* kRhythm = "..x..x...x..x.x.";
    const std::vector<int> notes = Notes(chord, kStabFloor);
    for (int step = 0; step < kStepsPerBar; ++step) {
      if (kRhythm[step] != 'x') continue;
      for (size_t i = 0; i < notes.size(); ++i) {
        Play(Instrument::kPluck, bar * kStepsPerBar + step, 1.5, notes[i], 0.45f,
             -0.3f + 0.6f * static_cast<float>(i) / static_cast<float>(notes.size()), 0.9f);
      }
    }
  }

  void Keys(int bar, const Chord& chord) const {
    constexpr int kHits[3][2] = {{0, 5}, {6, 3}, {10, 6}};  // start, sixteenths
    const std::vector<int> notes = Notes(chord, kKeysFloor);
    for (const auto& hit : kHits) {
      for (size_t i = 0; i < notes.size(); ++i) {
        Play(Instrument::kKeys, bar * kStepsPerBar + hit[0], hit[1], notes[i], random.Range(0.4f, 0.5f),
             -0.25f + 0.5f * static_cast<float>(i) / static_cast<float>(notes.size()),
             0.3f + 0.5f * passage.passage.energy);
      }
    }
  }
};

}  // namespace

std::vector<int> ChordNotesFrom(const Chord& chord, int key, int low) {
  constexpr int kPitchClassOfA = 9;  // counted from C, as MIDI notes are
  std::vector<int> notes;
  for (int interval : chord.intervals) {
    const int pitchClass = ((kPitchClassOfA + chord.root + key + interval) % 12 + 12) % 12;
    const int lowClass = ((low % 12) + 12) % 12;
    notes.push_back(low + (pitchClass - lowClass + 12) % 12);
  }
  return notes;
}

void WriteChords(const PassageContext& passage, ContentRandom& random, Score& score) {
  const ChordWriter writer{passage, random, score};
  ForEachChord(passage, [&](int firstBar, int bars, const Chord& chord) {
    writer.Pad(firstBar, bars, chord);
    for (int bar = firstBar; bar < firstBar + bars; ++bar) {
      switch (passage.passage.figure) {
        case Figure::kBells: writer.Bells(bar, chord); break;
        case Figure::kArpeggio: writer.Arpeggio(bar, chord); break;
        case Figure::kStabs: writer.Stabs(bar, chord); break;
        case Figure::kKeys: writer.Keys(bar, chord); break;
        case Figure::kNone: break;
      }
    }
  });
}
