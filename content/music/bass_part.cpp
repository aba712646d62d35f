// The bass: a sub drone under calm passages, and for driving ones a line on the chord
// roots in one of a few rhythms.
#include "music/score_parts.h"

namespace {

// The lowest bass note; chord roots are placed in the octave above it.
constexpr int kBassFloor = 33;  // A1

// The two alternating bars of the acid line, a character per sixteenth: r root, o octave,
// f fifth, upper case accented, '.' rest.
constexpr const char* kAcidBars[2] = {"R.rOr.RrF.rOR.ro", "R.roRr.oF.fRr.Or"};

int Interval(char mark) {
  switch (mark) {
    case 'o': case 'O': return 12;
    case 'f': case 'F': return 7;
    default: return 0;
  }
}

}  // namespace

void WriteBass(const PassageContext& passage, ContentRandom& random, Score& score) {
  const Passage& plan = passage.passage;
  if (plan.bass == BassLine::kNone) return;
  const float energy = plan.energy;
  auto play = [&](Instrument instrument, double step, double steps, int note, float velocity, float brightness) {
    score.push_back({passage.Frame(step), passage.Span(step, steps), instrument, static_cast<float>(note),
                     velocity, 0.0f, brightness});
  };

  ForEachChord(passage, [&](int firstBar, int bars, const Chord& chord) {
    const int root = ChordNotesFrom(chord, passage.section.key, kBassFloor).front();
    const double chordStart = firstBar * kStepsPerBar;
    if (plan.bass == BassLine::kDrone) {
      play(Instrument::kSubBass, chordStart, bars * kStepsPerBar, root, 0.6f, 0.0f);
      return;
    }
    for (int bar = firstBar; bar < firstBar + bars; ++bar) {
      for (int step = 0; step < kStepsPerBar; ++step) {
        const double at = bar * kStepsPerBar + step;
        const float brightness = 0.3f + 0.5f * energy;
        switch (plan.bass) {
          case BassLine::kEighths:
            if (step % 2 == 0) play(Instrument::kBass, at, 1.6, root + (step == 14 ? 12 : 0), 0.75f, brightness);
            break;
          case BassLine::kOffbeat:
            if (step % 4 == 2) play(Instrument::kBass, at, 1.8, root, 1.0f, brightness);
            break;
          case BassLine::kRolling:
            if (step % 4 != 0) {
              play(Instrument::kBass, at, 0.9, root + (step % 4 == 3 ? 12 : 0),
                   step % 4 == 1 ? 1.0f : 0.8f, brightness);
            }
            break;
          case BassLine::kAcid: {
            const char mark = kAcidBars[bar % 2][step];
            if (mark == '.') break;
            // The filter opens over the passage.
            const float sweep = 0.15f + 0.85f * static_cast<float>(at) / passage.Steps();
            const bool accent = mark >= 'A' && mark <= 'Z';
            play(Instrument::kAcidBass, at, 0.95, root + Interval(mark),
                 accent ? 1.0f : random.Range(0.5f, 0.6f), sweep);
            break;
          }
          case BassLine::kNone:
          case BassLine::kDrone:
            break;
        }
      }
    }
  });
}
