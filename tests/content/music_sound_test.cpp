// The synthesiser's building blocks: oscillators, envelopes, filters, voices and effects.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "music/sound_dsp.h"
#include "music/space_effects.h"
#include "music/voice.h"

namespace {

double RmsOfFilteredTone(float toneHz, float cutoffHz) {
  Filter filter;
  filter.Tune(cutoffHz, 0.0f);
  Oscillator tone;
  tone.SetFrequency(toneHz);
  double sum = 0.0;
  const int settle = kSampleRate / 10;
  for (int i = 0; i < settle + kSampleRate; ++i) {
    const float out = filter.Low(tone.Sine());
    if (i >= settle) sum += out * out;
  }
  return std::sqrt(sum / kSampleRate);
}

TEST(SoundDspTest, NotesAndSinesAreInTune) {
  EXPECT_FLOAT_EQ(NoteToHz(69.0f), 440.0f);
  EXPECT_NEAR(NoteToHz(57.0f), 220.0f, 1e-3f);
  for (float cycles = -1.5f; cycles < 2.0f; cycles += 0.0137f) {
    EXPECT_NEAR(SineOfCycles(cycles), std::sin(2.0 * 3.141592653589793 * cycles), 1e-5) << cycles;
  }
}

TEST(SoundDspTest, SawStaysNearFullScaleWithoutOffset) {
  Oscillator saw(0.25f);
  saw.SetFrequency(NoteToHz(45.0f));
  double sum = 0.0;
  float peak = 0.0f;
  const int frames = kSampleRate;
  for (int i = 0; i < frames; ++i) {
    const float value = saw.Saw();
    sum += value;
    peak = std::max(peak, std::fabs(value));
  }
  EXPECT_NEAR(sum / frames, 0.0, 0.01);
  EXPECT_GT(peak, 0.9f);
  EXPECT_LE(peak, 1.01f);
}

TEST(SoundDspTest, LowPassKeepsTheBassAndRemovesTheTreble) {
  const double passed = RmsOfFilteredTone(100.0f, 1000.0f);
  const double stopped = RmsOfFilteredTone(8000.0f, 500.0f);
  EXPECT_NEAR(passed, std::sqrt(0.5), 0.05);
  EXPECT_LT(stopped, 0.01);
}

TEST(SoundDspTest, EnvelopeRisesDecaysToItsSustainAndDiesAfterRelease) {
  Envelope envelope(0.01f, 0.1f, 0.5f, 0.05f);
  float level = 0.0f;
  for (int i = 0; i < kSampleRate / 100; ++i) level = envelope.Next();
  EXPECT_NEAR(level, 1.0f, 0.01f);
  for (int i = 0; i < kSampleRate; ++i) level = envelope.Next();
  EXPECT_NEAR(level, 0.5f, 0.01f);
  envelope.Release();
  int frames = 0;
  while (!envelope.Finished() && frames < kSampleRate) {
    const float next = envelope.Next();
    ASSERT_LT(next, level);
    level = next;
    ++frames;
  }
  EXPECT_EQ(level, 0.0f);
  // Well within the 2.4 time constants a release from full level takes.
  EXPECT_GT(frames, 0.05 * kSampleRate);
  EXPECT_LT(frames, 2.4 * 0.05 * kSampleRate);
}

TEST(SoundDspTest, ReleaseFromFullLevelTakesAboutTwoAndAHalfTimeConstants) {
  Envelope envelope(0.001f, 0.1f, 1.0f, 0.1f);
  for (int i = 0; i < kSampleRate / 10; ++i) envelope.Next();
  envelope.Release();
  int frames = 0;
  while (!envelope.Finished() && frames < kSampleRate) {
    envelope.Next();
    ++frames;
  }
  EXPECT_NEAR(frames, 2.4 * 0.1 * kSampleRate, 0.01 * kSampleRate);
}

TEST(SoundDspTest, SoftLimitBendsPeaksBelowFullScale) {
  EXPECT_FLOAT_EQ(SoftLimit(0.5f, 0.75f), 0.5f);
  EXPECT_FLOAT_EQ(SoftLimit(-0.7f, 0.75f), -0.7f);
  float previous = 0.75f;
  for (float value : {0.8f, 1.0f, 1.5f}) {
    EXPECT_GT(SoftLimit(value, 0.75f), previous);
    EXPECT_LT(SoftLimit(value, 0.75f), 1.0f);
    EXPECT_FLOAT_EQ(SoftLimit(-value, 0.75f), -SoftLimit(value, 0.75f));
    previous = SoftLimit(value, 0.75f);
  }
  EXPECT_LE(SoftLimit(100.0f, 0.75f), 1.0f);
}

TEST(VoiceTest, EveryInstrumentSoundsAndFallsSilentSoonAfterItsNote) {
  constexpr int kBlock = 256;
  for (int kind = 0; kind <= static_cast<int>(Instrument::kKeys); ++kind) {
    NoteEvent note;
    note.instrument = static_cast<Instrument>(kind);
    note.length = kSampleRate / 2;
    note.note = 57.0f;
    std::unique_ptr<Voice> voice = MakeVoice(note, 7);
    ASSERT_NE(voice, nullptr) << kind;
    std::vector<float> left(kBlock), right(kBlock), reverb(kBlock), echo(kBlock);
    double energy = 0.0;
    float peak = 0.0f;
    int64_t frames = 0;
    bool sounding = true;
    while (sounding && frames < 20 * kSampleRate) {
      std::fill(left.begin(), left.end(), 0.0f);
      std::fill(right.begin(), right.end(), 0.0f);
      sounding = voice->Render({left.data(), right.data(), reverb.data(), echo.data()}, kBlock);
      for (int i = 0; i < kBlock; ++i) {
        ASSERT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i])) << kind;
        energy += left[i] * left[i] + right[i] * right[i];
        peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
      }
      frames += kBlock;
    }
    EXPECT_FALSE(sounding) << kind;
    // A crash cymbal rings longest.
    EXPECT_LT(frames, 8 * kSampleRate) << kind;
    EXPECT_GT(energy, 0.0) << kind;
    EXPECT_LT(peak, 1.0f) << kind;
  }
}

TEST(SpaceEffectsTest, EchoesAlternateSidesAndFadeAway) {
  constexpr int kDelay = 100;
  PingPongEcho echo(kDelay);
  std::vector<float> input(1000, 0.0f), left(1000, 0.0f), right(1000, 0.0f);
  input[0] = 1.0f;
  echo.Process(input.data(), left.data(), right.data(), 1000);
  EXPECT_FLOAT_EQ(left[kDelay], 1.0f);
  EXPECT_FLOAT_EQ(right[kDelay], 0.0f);
  EXPECT_GT(right[2 * kDelay], 0.0f);
  EXPECT_LT(right[2 * kDelay], 1.0f);
  EXPECT_FLOAT_EQ(left[2 * kDelay], 0.0f);
  // Later repeats pass the damping filter and spread over a few frames.
  double earlier = 1.0;
  for (int repeat = 3; repeat < 9; ++repeat) {
    double around = 0.0;
    for (int i = repeat * kDelay - kDelay / 2; i < repeat * kDelay + kDelay / 2; ++i) {
      around += std::fabs(left[i]) + std::fabs(right[i]);
    }
    EXPECT_GT(around, 0.0) << repeat;
    EXPECT_LT(around, earlier) << repeat;
    earlier = around;
  }
}

TEST(SpaceEffectsTest, ReverbSpreadsAnImpulseIntoADecayingStereoTail) {
  Reverb reverb;
  const int frames = 2 * kSampleRate;
  std::vector<float> input(frames, 0.0f), left(frames, 0.0f), right(frames, 0.0f);
  input[0] = 1.0f;
  reverb.Process(input.data(), left.data(), right.data(), frames);
  auto energy = [&](const std::vector<float>& side, int from, int to) {
    double sum = 0.0;
    for (int i = from; i < to; ++i) sum += side[i] * side[i];
    return sum;
  };
  const int tenth = kSampleRate / 10;
  EXPECT_GT(energy(left, 0, tenth), 0.0);
  EXPECT_GT(energy(left, 0, tenth), 10.0 * energy(left, 10 * tenth, 11 * tenth));
  EXPECT_LT(energy(left, 19 * tenth, frames), 1e-3 * energy(left, 0, tenth));
  // The two sides are not the same signal.
  double difference = 0.0;
  for (int i = 0; i < tenth; ++i) difference += std::fabs(left[i] - right[i]);
  EXPECT_GT(difference, 0.0);
}

}  // namespace
