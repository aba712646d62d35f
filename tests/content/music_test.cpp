// The soundtrack as the demo hears it: the archive entry decoded gaplessly, compared with
// the sound that was synthesised and with the timeline's cuts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "demo/mp3_decoder.h"
#include "families.h"
#include "music/arrangement.h"
#include "music/mp3_encoder.h"
#include "music/sound_dsp.h"
#include "music/soundtrack.h"

namespace {

struct Soundtrack {
  std::vector<ArchiveEntry> entries;
  std::vector<int16_t> rendered;
  std::vector<int16_t> decoded;
  int64_t reportedFrames = -1;
};

// Made once for all tests: synthesis and decoding take seconds.
const Soundtrack& TheSoundtrack() {
  static const Soundtrack soundtrack = [] {
    Soundtrack made;
    made.entries = MakeSoundtrackEntries();
    made.rendered = RenderSoundtrack();
    if (made.entries.size() != 1) return made;
    const std::vector<uint8_t>& mp3 = made.entries[0].bytes;
    auto decoder = Mp3Decoder::Open(mp3.data(), mp3.size(), kSampleRate);
    if (!decoder) return made;
    made.reportedFrames = decoder->LengthInFrames();
    // Room for more than the expected length, so that surplus frames would show.
    made.decoded.resize(2 * static_cast<size_t>(TotalFrames() + kSampleRate));
    const size_t frames = decoder->Read(made.decoded.data(), made.decoded.size() / 2);
    made.decoded.resize(2 * frames);
    return made;
  }();
  return soundtrack;
}

double Mono(const std::vector<int16_t>& pcm, int64_t frame) {
  return (pcm[2 * frame] + pcm[2 * frame + 1]) / 65536.0;
}

double RmsDb(const std::vector<int16_t>& pcm, int64_t from, int64_t frames) {
  double sum = 0.0;
  for (int64_t i = 2 * from; i < 2 * (from + frames); ++i) sum += static_cast<double>(pcm[i]) * pcm[i];
  return 10.0 * std::log10(sum / (2.0 * frames) / (32768.0 * 32768.0) + 1e-20);
}

// Levels in dB of eight octave bands from 80 Hz up, over `frames` frames from `from`.
std::vector<double> OctaveLevels(const std::vector<int16_t>& pcm, int64_t from, int64_t frames) {
  constexpr int64_t kSettle = 2048;
  std::vector<double> levels;
  for (int band = 0; band < 8; ++band) {
    Filter filter;
    filter.Tune(80.0f * std::exp2(static_cast<float>(band)), 0.3f);
    double sum = 0.0;
    for (int64_t frame = from - kSettle; frame < from + frames; ++frame) {
      const double value = filter.Band(static_cast<float>(Mono(pcm, frame)));
      if (frame >= from) sum += value * value;
    }
    levels.push_back(10.0 * std::log10(sum / frames + 1e-20));
  }
  return levels;
}

// Windows either side of a line in time, far enough from it to leave out fills, hits
// and the tails that cross it: what is compared is the body of the music on each side.
constexpr int64_t kWindowGap = kSampleRate * 4 / 5;
constexpr int64_t kWindowLength = kSampleRate * 3 / 2;

// How much the spectrum before `frame` differs from that after it: the mean absolute
// change of the octave levels in dB.
double SpectralChangeAt(const std::vector<int16_t>& pcm, int64_t frame) {
  const std::vector<double> before = OctaveLevels(pcm, frame - kWindowGap - kWindowLength, kWindowLength);
  const std::vector<double> after = OctaveLevels(pcm, frame + kWindowGap, kWindowLength);
  double change = 0.0;
  for (size_t band = 0; band < before.size(); ++band) change += std::fabs(after[band] - before[band]);
  return change / before.size();
}

TEST(SoundtrackTest, IsOneMp3EntryThatDecodesAtTheDemosRate) {
  const Soundtrack& soundtrack = TheSoundtrack();
  ASSERT_EQ(soundtrack.entries.size(), 1u);
  EXPECT_EQ(soundtrack.entries[0].name, "muzik.mp3");
  EXPECT_FALSE(soundtrack.entries[0].isStorage);
  // The decoder refuses anything that is not stereo at the rate it was opened with.
  EXPECT_FALSE(soundtrack.decoded.empty());
}

TEST(SoundtrackTest, EntryIsTheSameEncodingOfTheSameSoundOnEveryRun) {
  const Soundtrack& soundtrack = TheSoundtrack();
  ASSERT_EQ(soundtrack.entries.size(), 1u);
  // The entry was made from a rendering of its own; both must agree to the byte.
  EXPECT_EQ(soundtrack.entries[0].bytes, EncodeMp3(soundtrack.rendered, kSampleRate));
}

TEST(SoundtrackTest, GaplessDecodingGivesBackExactlyTheSynthesisedFrames) {
  const Soundtrack& soundtrack = TheSoundtrack();
  EXPECT_EQ(soundtrack.rendered.size(), 2 * static_cast<size_t>(TotalFrames()));
  EXPECT_EQ(soundtrack.decoded.size(), soundtrack.rendered.size());
  EXPECT_EQ(soundtrack.reportedFrames, TotalFrames());
}

TEST(SoundtrackTest, DecodedSoundLinesUpWithTheSynthesisedSoundToTheFrame) {
  const Soundtrack& soundtrack = TheSoundtrack();
  ASSERT_EQ(soundtrack.decoded.size(), soundtrack.rendered.size());
  // Correlate ten seconds in the middle at a few offsets: only no offset matches.
  const int64_t from = 150 * kSampleRate;
  const int64_t frames = 10 * kSampleRate;
  auto correlation = [&](int64_t lag) {
    double product = 0.0, renderedEnergy = 0.0, decodedEnergy = 0.0;
    for (int64_t frame = from; frame < from + frames; ++frame) {
      const double rendered = Mono(soundtrack.rendered, frame);
      const double decoded = Mono(soundtrack.decoded, frame + lag);
      product += rendered * decoded;
      renderedEnergy += rendered * rendered;
      decodedEnergy += decoded * decoded;
    }
    return product / std::sqrt(renderedEnergy * decodedEnergy);
  };
  const double aligned = correlation(0);
  EXPECT_GT(aligned, 0.95);
  for (int64_t lag : {-1105, -576, -2, -1, 1, 2, 576, 1105}) EXPECT_LT(correlation(lag), aligned) << lag;
}

TEST(SoundtrackTest, RingsOutShortlyAfterTheTimelineEnds) {
  const Soundtrack& soundtrack = TheSoundtrack();
  const int64_t timelineEnd = SectionStartFrame(Sections().size());
  EXPECT_GE(TotalFrames(), 301 * kSampleRate);
  EXPECT_LE(TotalFrames(), timelineEnd + 2 * kSampleRate);
  // Still playing in the last second of the timeline, silent at the very end.
  EXPECT_GT(RmsDb(soundtrack.rendered, timelineEnd - kSampleRate, kSampleRate), -40.0);
  EXPECT_LT(RmsDb(soundtrack.rendered, TotalFrames() - kSampleRate / 20, kSampleRate / 20), -60.0);
}

TEST(SoundtrackTest, IsLoudEnoughWithoutClippingOrOffset) {
  const Soundtrack& soundtrack = TheSoundtrack();
  for (const auto* pcm : {&soundtrack.rendered, &soundtrack.decoded}) {
    ASSERT_FALSE(pcm->empty());
    int peak = 0;
    for (int16_t sample : *pcm) peak = std::max(peak, std::abs(static_cast<int>(sample)));
    EXPECT_LT(peak, 32767);
    for (int channel = 0; channel < 2; ++channel) {
      double sum = 0.0;
      for (size_t i = channel; i < pcm->size(); i += 2) sum += (*pcm)[i];
      EXPECT_LT(std::fabs(sum / (pcm->size() / 2)), 0.001 * 32768.0) << channel;
    }
  }
  // Every section is audible and none is pushed to the limit throughout.
  for (size_t index = 0; index < Sections().size(); ++index) {
    const int64_t start = SectionStartFrame(index);
    const double level = RmsDb(soundtrack.rendered, start, SectionStartFrame(index + 1) - start);
    EXPECT_GT(level, -26.0) << Sections()[index].part;
    EXPECT_LT(level, -10.0) << Sections()[index].part;
  }
}

TEST(SoundtrackTest, SoundChangesAcrossEveryCutMoreThanAcrossAnOrdinaryBarLine) {
  const Soundtrack& soundtrack = TheSoundtrack();
  ASSERT_EQ(soundtrack.decoded.size(), soundtrack.rendered.size());
  // The typical change across a bar line inside a passage, where both windows fit.
  double ordinary = 0.0;
  int barLines = 0;
  for (size_t index = 0; index < Sections().size(); ++index) {
    const BarGrid grid = SectionGrid(index);
    int passageStart = 0;
    for (const Passage& passage : Sections()[index].passages) {
      const int64_t first = grid.Frame(passageStart * kStepsPerBar) + kWindowGap + kWindowLength;
      const int64_t last = grid.Frame((passageStart + passage.bars) * kStepsPerBar) - kWindowGap - kWindowLength;
      for (int bar = passageStart + 1; bar < passageStart + passage.bars; ++bar) {
        const int64_t line = grid.Frame(bar * kStepsPerBar);
        if (line < first || line > last) continue;
        ordinary += SpectralChangeAt(soundtrack.decoded, line);
        ++barLines;
      }
      passageStart += passage.bars;
    }
  }
  ASSERT_GT(barLines, 50);
  ordinary /= barLines;

  for (size_t index = 1; index < Sections().size(); ++index) {
    EXPECT_GT(SpectralChangeAt(soundtrack.decoded, SectionStartFrame(index)), 1.5 * ordinary)
        << Sections()[index].part;
  }
}

}  // namespace
