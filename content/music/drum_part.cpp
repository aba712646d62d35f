// The drums: a one-bar pattern per groove, fills and risers at passage ends, and crashes
// that mark the cuts.
#include <algorithm>

#include "music/score_parts.h"

namespace {

// One bar of a groove, a character per sixteenth: 'x' a hit, 'g' a ghost note, '.' none.
struct DrumBar {
  const char* kick;
  const char* snare;
  const char* clap;
  const char* openHat;
  const char* closedHat;
};

DrumBar PatternFor(Groove groove, float energy, int bar) {
  const bool busy = energy >= 0.6f;
  switch (groove) {
    case Groove::kFourOnFloor:
      return {"x...x...x...x...", "................", "....x.......x...", "..x...x...x...x.",
              busy ? "xx.xxx.xxx.xxx.x" : "x...x...x...x..."};
    case Groove::kBreakbeat:
      return {bar % 2 == 0 ? "x.........x....." : "x......x..x.....", "....x..g....x.g.",
              "................", bar % 2 == 1 ? "..............x." : "................",
              busy ? "xxxxxxxxxxxxxxxx" : "x.x.x.x.x.x.x.x."};
    case Groove::kHalfTime:
      return {"x.........x.....", "........x.......", "................", "................",
              energy >= 0.4f ? "x.x.x.x.x.x.x.x." : "x...x...x...x..."};
    case Groove::kNone:
      break;
  }
  return {"................", "................", "................", "................",
          "................"};
}

// The velocity of a pattern character, with a little deterministic unevenness.
float Hit(char mark, ContentRandom& random) {
  if (mark == '.') return 0.0f;
  return (mark == 'g' ? 0.3f : 1.0f) * random.Range(0.9f, 1.0f);
}

struct DrumWriter {
  const PassageContext& passage;
  ContentRandom& random;
  Score& score;

  void Play(Instrument instrument, double step, float velocity, float note = 60.0f, float pan = 0.0f,
            double steps = 1.0) const {
    score.push_back({passage.Frame(step), passage.Span(step, steps), instrument, note, velocity, pan,
                     passage.passage.energy});
  }

  void Pattern(int bar, int fillFrom) const {
    const DrumBar pattern = PatternFor(passage.passage.groove, passage.passage.energy, bar);
    const float level = 0.75f + 0.25f * passage.passage.energy;
    for (int step = 0; step < kStepsPerBar; ++step) {
      const double at = bar * kStepsPerBar + step;
      if (const float v = Hit(pattern.kick[step], random); v > 0.0f) Play(Instrument::kKick, at, v);
      if (step >= fillFrom) continue;
      if (const float v = Hit(pattern.snare[step], random); v > 0.0f) Play(Instrument::kSnare, at, v * level);
      if (const float v = Hit(pattern.clap[step], random); v > 0.0f) Play(Instrument::kClap, at, v * level);
      if (const float v = Hit(pattern.openHat[step], random); v > 0.0f) {
        Play(Instrument::kOpenHat, at, v * level, 60.0f, 0.25f);
      } else if (const float h = Hit(pattern.closedHat[step], random); h > 0.0f) {
        const float accent = step % 4 == 2 ? 1.0f : step % 2 == 0 ? 0.8f : 0.55f;
        Play(Instrument::kClosedHat, at, h * accent * level, 60.0f, -0.2f);
      }
    }
  }

  // Sixteenth snares from `fromStep` to the bar's end, rising from `quiet` to full.
  void SnareRoll(int bar, int fromStep, float quiet) const {
    const int count = kStepsPerBar - fromStep;
    for (int i = 0; i < count; ++i) {
      const float rise = static_cast<float>(i + 1) / count;
      Play(Instrument::kSnare, bar * kStepsPerBar + fromStep + i, quiet + (0.8f - quiet) * rise);
    }
  }

  void TomRun(int bar) const {
    constexpr float kNotes[8] = {57, 55, 52, 50, 47, 45, 43, 40};
    for (int i = 0; i < 8; ++i) {
      Play(Instrument::kTom, bar * kStepsPerBar + 8 + i, 0.85f, kNotes[i], 0.6f - 0.17f * i);
    }
  }

  void Crash(int bar, float velocity) const { Play(Instrument::kCrash, bar * kStepsPerBar, velocity); }
};

}  // namespace

void WriteDrums(const PassageContext& passage, ContentRandom& random, Score& score) {
  const DrumWriter drums{passage, random, score};
  const Passage& plan = passage.passage;
  const bool grooving = plan.groove != Groove::kNone;
  const int lastBar = plan.bars - 1;

  // Every cut gets a crash, softer where no drums follow; so does a passage that brings
  // the drums in.
  if ((passage.opensSection && !passage.opensSoundtrack) || (!passage.opensSection && grooving)) {
    drums.Crash(0, grooving ? 1.0f : 0.6f);
  }
  if (plan.crashEveryBars > 0) {
    for (int bar = plan.crashEveryBars; bar < plan.bars; bar += plan.crashEveryBars) drums.Crash(bar, 0.8f);
  }

  for (int bar = 0; bar < plan.bars; ++bar) {
    int fillFrom = kStepsPerBar;
    if (bar == lastBar && plan.ending != Ending::kNone) fillFrom = plan.ending == Ending::kBuild ? 0 : 8;
    drums.Pattern(bar, fillFrom);
  }

  switch (plan.ending) {
    case Ending::kSnareRoll: drums.SnareRoll(lastBar, 8, 0.35f); break;
    case Ending::kTomRun: drums.TomRun(lastBar); break;
    case Ending::kBuild: {
      const int riserBars = std::min(2, plan.bars);
      const int riserStart = (plan.bars - riserBars) * kStepsPerBar;
      score.push_back({passage.Frame(riserStart), passage.Span(riserStart, riserBars * kStepsPerBar),
                       Instrument::kRiser, 60.0f, 0.9f, 0.0f, 0.5f});
      drums.SnareRoll(lastBar, 0, 0.1f);
      break;
    }
    case Ending::kNone: break;
  }
}
