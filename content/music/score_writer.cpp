#include "music/score_writer.h"

#include <algorithm>

#include "music/score_parts.h"

namespace {

// The hiss under the opening pictures: from the first frame, through the lead-in before
// the first section, to the end of the last passage that asks for it.
void WriteStatic(Score& score) {
  int64_t end = 0;
  for (size_t index = 0; index < Sections().size(); ++index) {
    const Section& section = Sections()[index];
    const BarGrid grid = SectionGrid(index);
    int bar = 0;
    for (const Passage& passage : section.passages) {
      bar += passage.bars;
      if (passage.tvStatic) end = grid.Frame(bar * kStepsPerBar);
    }
  }
  if (end > 0) score.push_back({0, end, Instrument::kStatic, 60.0f, 1.0f, 0.0f, 0.5f});
}

}  // namespace

Score WriteScore() {
  Score score;
  WriteStatic(score);
  for (size_t index = 0; index < Sections().size(); ++index) {
    const Section& section = Sections()[index];
    const BarGrid grid = SectionGrid(index);
    ContentRandom random(0x5EC7000 + index);
    int firstBar = 0;
    for (const Passage& plan : section.passages) {
      const PassageContext passage{section, plan, grid, firstBar, firstBar == 0, index == 0 && firstBar == 0};
      WriteDrums(passage, random, score);
      WriteBass(passage, random, score);
      WriteChords(passage, random, score);
      WriteLead(passage, score);
      firstBar += plan.bars;
    }
  }
  std::stable_sort(score.begin(), score.end(),
                   [](const NoteEvent& a, const NoteEvent& b) { return a.start < b.start; });
  return score;
}
