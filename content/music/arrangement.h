#pragma once
// The form of the soundtrack: one section per stretch of the demo's timeline between two
// cuts (the closing fade counts as one), each starting exactly where the timeline cuts, and within each section a few passages that say what
// plays. Every section holds a whole number of 4/4 bars, so its tempo follows from its
// length; all of them lie near 160 beats a minute.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class Progression {
  kOpening,     // i(add9) VImaj7 III VII, two bars each
  kTurnaround,  // VI V: back to the tonic
  kDominant,    // V alone, a bar of suspense
  kTheme,       // i VI III VII
  kDrive,       // i VII VI VII
  kDark,        // i bII iv bII
  kMellow,      // VImaj7 v7 iv7 IIImaj7
  kTonic,       // i(add9) held
  kTonicMajor,  // I held: the last chord
};

enum class Groove { kNone, kHalfTime, kBreakbeat, kFourOnFloor };
enum class BassLine { kNone, kDrone, kEighths, kOffbeat, kRolling, kAcid };
enum class PadColour { kNone, kDark, kWarm, kBright };
// The moving accompaniment over the pad.
enum class Figure { kNone, kBells, kArpeggio, kStabs, kKeys };
// The lead line.
enum class Tune { kNone, kTheme, kCounter, kDark, kMellow };
// What the drums do in a passage's last bar, leading into what follows.
enum class Ending {
  kNone,
  kSnareRoll,  // a crescendo of sixteenth snares over the last half bar
  kTomRun,     // toms running down over the last half bar
  kBuild,      // a noise riser over the last two bars and a snare roll over the last one
};

struct Passage {
  int bars;
  Progression progression;
  Groove groove;
  BassLine bass;
  PadColour pad;
  Figure figure;
  Tune tune;
  float energy;        // 0 calm .. 1 full: velocities, filter openings, hat density
  Ending ending;
  int crashEveryBars;  // extra crashes inside the passage; 0 for none
  bool tvStatic;       // the hiss of the opening pictures
};

struct Section {
  const char* part;       // the timeline part that is on screen meanwhile
  double scriptedStart;   // seconds, as the timeline script states it (without its offset)
  int key;                // tonic in semitones above A (a minor key)
  std::vector<Passage> passages;

  int Bars() const;
};

// Sixteenth-note positions of one section, in frames of the soundtrack.
struct BarGrid {
  int64_t start;
  double framesPerStep;

  // The frame of `step` sixteenths after the section's first downbeat.
  int64_t Frame(double step) const;
  double BeatsPerMinute() const;
};

constexpr int kStepsPerBar = 16;
// The timeline ends 300 s after its offset; the music rings out a little beyond.
constexpr double kScriptedEnd = 300.0;
constexpr double kLengthSeconds = 302.0;

const std::vector<Section>& Sections();
// The first frame of section `index`; Sections().size() gives the end of the last one.
int64_t SectionStartFrame(size_t index);
BarGrid SectionGrid(size_t index);
// The length of the whole soundtrack in frames.
int64_t TotalFrames();
