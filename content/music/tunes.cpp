#include "music/tunes.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

namespace {

// Chord shapes, as intervals above the root.
const std::vector<int> kMinor = {0, 3, 7};
const std::vector<int> kMajor = {0, 4, 7};
const std::vector<int> kMinorSeventh = {0, 3, 7, 10};
const std::vector<int> kMajorSeventh = {0, 4, 7, 11};
const std::vector<int> kMinorAddNine = {0, 3, 7, 14};

// Roots in A minor.
constexpr int kI = 0, kBII = 1, kIII = 3, kIV = 5, kV = 7, kVI = 8, kVII = 10;

const std::vector<Chord>& ChordsOf(Progression progression) {
  static const std::map<Progression, std::vector<Chord>> progressions = {
      {Progression::kOpening,
       {{kI, kMinorAddNine, 2}, {kVI, kMajorSeventh, 2}, {kIII, kMajor, 2}, {kVII, kMajor, 2}}},
      {Progression::kTurnaround, {{kVI, kMajor, 1}, {kV, kMajor, 1}}},
      {Progression::kDominant, {{kV, kMajor, 1}}},
      {Progression::kTheme, {{kI, kMinor, 1}, {kVI, kMajor, 1}, {kIII, kMajor, 1}, {kVII, kMajor, 1}}},
      {Progression::kDrive, {{kI, kMinor, 1}, {kVII, kMajor, 1}, {kVI, kMajor, 1}, {kVII, kMajor, 1}}},
      {Progression::kDark, {{kI, kMinor, 1}, {kBII, kMajor, 1}, {kIV, kMinor, 1}, {kBII, kMajor, 1}}},
      {Progression::kMellow,
       {{kVI, kMajorSeventh, 1}, {kV, kMinorSeventh, 1}, {kIV, kMinorSeventh, 1}, {kIII, kMajorSeventh, 1}}},
      {Progression::kTonic, {{kI, kMinorAddNine, 4}}},
      {Progression::kTonicMajor, {{kI, kMajor, 4}}},
  };
  return progressions.at(progression);
}

// The lead lines, in A minor, one bar per '|'.
constexpr std::string_view kThemeText =
    "a4:3 e4:3 a4:2 c5:3 b4:3 a4:2 | c5:3 a4:3 f4:2 a4:3 g4:3 f4:2 |"
    "e4:3 g4:3 c5:2 e5:3 d5:3 c5:2 | b4:6 d5:2 b4:4 g4:4 |"
    "a4:3 e4:3 a4:2 c5:3 b4:3 a4:2 | c5:3 a4:3 f4:2 c5:3 d5:3 c5:2 |"
    "e5:3 d5:3 c5:2 g4:3 c5:3 e5:2 | d5:6 b4:2 g4:8";
// Over the drive progression: long notes climbing against the chords.
constexpr std::string_view kCounterText =
    "e4:6 a4:6 b4:4 | d5:6 b4:6 g4:4 | c5:6 a4:4 f4:2 a4:4 | b4:8 d5:8 |"
    "e5:6 c5:6 a4:4 | b4:6 d5:6 g4:4 | a4:4 c5:4 f5:4 e5:4 | d5:12 r:4";
// Over the dark progression.
constexpr std::string_view kDarkText =
    "a4:6 c5:2 e5:4 f5:4 | f5:8 d5:4 bb4:4 | a4:6 d5:6 f5:4 | d5:4 c5:4 bb4:4 a4:4";
// Over the mellow progression.
constexpr std::string_view kMellowText =
    "a4:6 g4:2 e4:8 | g4:4 b4:4 d5:4 b4:4 | a4:6 f4:2 d4:8 | e4:4 g4:4 c5:8 |"
    "c5:6 a4:2 e4:8 | d5:4 b4:4 g4:8 | f4:4 a4:4 c5:4 d5:4 | e5:12 r:4";

std::optional<int> ParseNote(std::string_view name) {
  static constexpr int kSemitoneOfLetter[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  if (name.size() < 2 || name[0] < 'a' || name[0] > 'g') return std::nullopt;
  int semitone = kSemitoneOfLetter[name[0] - 'a'];
  size_t at = 1;
  if (name[at] == '#' || name[at] == 'b') semitone += name[at++] == '#' ? 1 : -1;
  if (at + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[at]))) return std::nullopt;
  return 12 * (name[at] - '0' + 1) + semitone;
}

}  // namespace

const Chord& ChordAt(Progression progression, int bar) {
  const auto& chords = ChordsOf(progression);
  int loopBars = 0;
  for (const Chord& chord : chords) loopBars += chord.bars;
  int position = bar % loopBars;
  for (const Chord& chord : chords) {
    if (position < chord.bars) return chord;
    position -= chord.bars;
  }
  return chords.back();
}

std::optional<Melody> ParseMelody(std::string_view text) {
  Melody melody;
  int stepInBar = 0;
  size_t at = 0;
  while (true) {
    while (at < text.size() && text[at] == ' ') ++at;
    if (at == text.size() || text[at] == '|') {
      if (stepInBar != kStepsPerBar) return std::nullopt;
      ++melody.bars;
      stepInBar = 0;
      if (at == text.size()) return melody;
      ++at;
      continue;
    }
    const size_t end = std::min(text.find_first_of(" |", at), text.size());
    const std::string_view token = text.substr(at, end - at);
    at = end;
    const size_t colon = token.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    int steps = 0;
    const std::string_view count = token.substr(colon + 1);
    const auto [last, error] = std::from_chars(count.data(), count.data() + count.size(), steps);
    if (error != std::errc() || last != count.data() + count.size() || steps <= 0) return std::nullopt;
    const std::string_view name = token.substr(0, colon);
    if (name != "r") {
      const std::optional<int> note = ParseNote(name);
      if (!note) return std::nullopt;
      melody.notes.push_back({melody.bars * kStepsPerBar + stepInBar, steps, *note});
    }
    stepInBar += steps;
  }
}

const Melody& MelodyOf(Tune tune) {
  static const std::map<Tune, Melody> melodies = {
      {Tune::kTheme, ParseMelody(kThemeText).value()},
      {Tune::kCounter, ParseMelody(kCounterText).value()},
      {Tune::kDark, ParseMelody(kDarkText).value()},
      {Tune::kMellow, ParseMelody(kMellowText).value()},
  };
  return melodies.at(tune);
}
