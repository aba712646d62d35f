#include "music/soundtrack.h"

#include "music/arrangement.h"
#include "music/mixer.h"
#include "music/score_writer.h"
#include "music/sound_dsp.h"

namespace {

// A dotted eighth at 160 beats a minute, the tempo every section lies close to.
constexpr int kEchoDelayFrames = kSampleRate * 3 * 60 / (8 * 160);

}  // namespace

std::vector<int16_t> RenderSoundtrack() {
  // The fade starts with the last bar, so the sound is already dying away when the
  // timeline closes the demo, and rings out to silence soon after.
  const size_t last = Sections().size() - 1;
  const int64_t lastBar = SectionGrid(last).Frame((Sections()[last].Bars() - 1) * kStepsPerBar);
  const MixSettings settings{TotalFrames(), lastBar, kEchoDelayFrames};
  return MixScore(WriteScore(), settings);
}
