#include "scenes/music_clock.h"

#include "music/arrangement.h"

namespace scenes {
namespace {

double SectionStart(size_t index) {
  const auto& sections = Sections();
  return index < sections.size() ? sections[index].scriptedStart : kScriptedEnd;
}

// The scripted time `bars` bars after `from`, walking the sections' bar lengths.
double ScriptedTimeAfterBars(double from, double bars) {
  const auto& sections = Sections();
  for (size_t i = 0; i < sections.size(); ++i) {
    const double start = SectionStart(i), end = SectionStart(i + 1);
    if (from >= end) continue;
    const double barLength = (end - start) / sections[i].Bars();
    const double barsLeft = (end - from) / barLength;
    if (bars <= barsLeft || i + 1 == sections.size()) return from + bars * barLength;
    bars -= barsLeft;
    from = end;
  }
  return from;
}

}  // namespace

MusicClock::MusicClock(double scriptedTime, double sceneTime, double rate)
    : scriptedTime_(scriptedTime), sceneTime_(sceneTime), rate_(rate) {}

float MusicClock::Bar(double bars) const {
  return static_cast<float>(sceneTime_ +
                            (ScriptedTimeAfterBars(scriptedTime_, bars) - scriptedTime_) * rate_);
}

}  // namespace scenes
