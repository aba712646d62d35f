// The lead: the passage's tune, looped over its bars, in the section's key. At full energy
// the line is doubled an octave below.
#include "music/score_parts.h"

void WriteLead(const PassageContext& passage, Score& score) {
  const Passage& plan = passage.passage;
  if (plan.tune == Tune::kNone) return;
  const Melody& melody = MelodyOf(plan.tune);
  const bool doubled = plan.energy >= 0.95f;
  const float brightness = 0.3f + 0.6f * plan.energy;
  for (int bar = 0; bar < plan.bars; ++bar) {
    const int melodyBar = bar % melody.bars;
    for (const MelodyNote& note : melody.notes) {
      if (note.step / kStepsPerBar != melodyBar) continue;
      const double step = bar * kStepsPerBar + note.step % kStepsPerBar;
      // Notes are let go a little early, so that each one is struck anew.
      const int64_t start = passage.Frame(step);
      const int64_t length = passage.Span(step, note.steps * 0.92);
      const float pitch = static_cast<float>(note.note + passage.section.key);
      score.push_back({start, length, Instrument::kLead, pitch, 0.85f, 0.1f, brightness});
      if (doubled) score.push_back({start, length, Instrument::kLead, pitch - 12.0f, 0.45f, -0.2f, brightness});
    }
  }
}
