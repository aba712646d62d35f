#include "music/arrangement.h"

#include <cmath>

#include "demo/timeline.h"
#include "music/sound_dsp.h"

namespace {

using P = Progression;
using G = Groove;
using B = BassLine;
using C = PadColour;
using F = Figure;
using T = Tune;
using E = Ending;

// Keys, in semitones above A minor.
constexpr int kA = 0;
constexpr int kB = 2;
constexpr int kC = 3;
constexpr int kD = 5;
constexpr int kE = 7;

std::vector<Section> BuildSections() {
  // Passage columns: bars, progression, groove, bass, pad, figure, tune, energy, ending,
  // crash every n bars, television static.
  return {
      {"intro", 0.0, kA,
       {{16, P::kOpening, G::kNone, B::kDrone, C::kDark, F::kBells, T::kNone, 0.2f, E::kNone, 0, true},
        {2, P::kTurnaround, G::kNone, B::kDrone, C::kWarm, F::kArpeggio, T::kNone, 0.4f, E::kBuild, 0, false}}},
      {"binary", 27.892973, kA,
       {{11, P::kTheme, G::kBreakbeat, B::kEighths, C::kDark, F::kArpeggio, T::kNone, 0.55f, E::kSnareRoll, 0, false}}},
      {"title", 44.908302, kA,
       {{9, P::kTheme, G::kFourOnFloor, B::kOffbeat, C::kBright, F::kArpeggio, T::kTheme, 0.9f, E::kSnareRoll, 0, false}}},
      {"terrain", 57.99461, kB,
       {{8, P::kDrive, G::kBreakbeat, B::kRolling, C::kWarm, F::kBells, T::kCounter, 0.95f, E::kTomRun, 0, false}}},
      {"stairs", 69.99704, kD,
       {{6, P::kDark, G::kHalfTime, B::kDrone, C::kDark, F::kBells, T::kDark, 0.45f, E::kNone, 0, false},
        {2, P::kDark, G::kNone, B::kDrone, C::kDark, F::kBells, T::kNone, 0.3f, E::kBuild, 0, false}}},
      {"fast1", 81.63964, kA,
       {{8, P::kDrive, G::kFourOnFloor, B::kAcid, C::kNone, F::kStabs, T::kNone, 1.0f, E::kSnareRoll, 2, false}}},
      {"surgery", 93.9941, kE,
       {{4, P::kDark, G::kNone, B::kDrone, C::kDark, F::kBells, T::kNone, 0.3f, E::kNone, 0, false},
        {4, P::kDark, G::kHalfTime, B::kDrone, C::kDark, F::kNone, T::kDark, 0.4f, E::kNone, 0, false},
        {8, P::kDark, G::kBreakbeat, B::kEighths, C::kDark, F::kArpeggio, T::kDark, 0.6f, E::kSnareRoll, 0, false}}},
      {"fast2", 117.8936, kE,
       {{8, P::kDark, G::kFourOnFloor, B::kAcid, C::kDark, F::kStabs, T::kNone, 1.0f, E::kTomRun, 4, false}}},
      {"ppl part1", 130.33583, kA,
       {{8, P::kMellow, G::kHalfTime, B::kDrone, C::kWarm, F::kKeys, T::kNone, 0.35f, E::kNone, 0, false}}},
      {"pitcombo", 142.37498, kA,
       {{8, P::kDrive, G::kHalfTime, B::kEighths, C::kWarm, F::kKeys, T::kNone, 0.5f, E::kSnareRoll, 0, false},
        {8, P::kDrive, G::kBreakbeat, B::kEighths, C::kWarm, F::kArpeggio, T::kCounter, 0.7f, E::kTomRun, 0, false},
        {8, P::kTheme, G::kFourOnFloor, B::kOffbeat, C::kBright, F::kArpeggio, T::kTheme, 0.9f, E::kNone, 0, false}}},
      {"ppl part2", 178.1797, kA,
       {{8, P::kMellow, G::kHalfTime, B::kDrone, C::kWarm, F::kKeys, T::kMellow, 0.4f, E::kBuild, 0, false}}},
      {"tunnel", 190.03316, kB,
       {{8, P::kDrive, G::kFourOnFloor, B::kRolling, C::kBright, F::kArpeggio, T::kCounter, 0.95f, E::kSnareRoll, 0, false},
        {8, P::kTheme, G::kFourOnFloor, B::kRolling, C::kBright, F::kArpeggio, T::kTheme, 1.0f, E::kSnareRoll, 0, false}}},
      {"end", 214.20612, kC,
       {{1, P::kDominant, G::kNone, B::kNone, C::kBright, F::kNone, T::kNone, 0.6f, E::kBuild, 0, false},
        {16, P::kTheme, G::kFourOnFloor, B::kOffbeat, C::kBright, F::kArpeggio, T::kTheme, 0.9f, E::kSnareRoll, 8, false},
        {8, P::kMellow, G::kNone, B::kDrone, C::kWarm, F::kBells, T::kMellow, 0.5f, E::kBuild, 0, false},
        {8, P::kTheme, G::kFourOnFloor, B::kRolling, C::kBright, F::kArpeggio, T::kTheme, 1.0f, E::kNone, 4, false}}},
      {"end fade", 263.95142, kC,
       {{4, P::kTonic, G::kNone, B::kDrone, C::kBright, F::kBells, T::kNone, 0.5f, E::kNone, 0, false}}},
      {"final", 270.6807, kC,
       {{16, P::kMellow, G::kNone, B::kDrone, C::kWarm, F::kKeys, T::kMellow, 0.3f, E::kNone, 0, false},
        {4, P::kTonicMajor, G::kNone, B::kDrone, C::kWarm, F::kBells, T::kNone, 0.2f, E::kNone, 0, false}}},
  };
}

int64_t FrameOfScriptedTime(double seconds) {
  return std::llround((static_cast<double>(kTimeOffset) + seconds) * kSampleRate);
}

}  // namespace

int Section::Bars() const {
  int bars = 0;
  for (const Passage& passage : passages) bars += passage.bars;
  return bars;
}

int64_t BarGrid::Frame(double step) const {
  return start + std::llround(step * framesPerStep);
}

double BarGrid::BeatsPerMinute() const { return 60.0 * kSampleRate / (4.0 * framesPerStep); }

const std::vector<Section>& Sections() {
  static const std::vector<Section> sections = BuildSections();
  return sections;
}

int64_t SectionStartFrame(size_t index) {
  const auto& sections = Sections();
  return FrameOfScriptedTime(index < sections.size() ? sections[index].scriptedStart : kScriptedEnd);
}

BarGrid SectionGrid(size_t index) {
  const int64_t start = SectionStartFrame(index);
  const int64_t end = SectionStartFrame(index + 1);
  const int steps = Sections()[index].Bars() * kStepsPerBar;
  return {start, static_cast<double>(end - start) / steps};
}

int64_t TotalFrames() { return std::llround(kLengthSeconds * kSampleRate); }
