#pragma once
// The small signal-processing pieces the soundtrack's instruments are built from:
// band-limited oscillators, envelopes, a resonant filter, noise and panning. Everything
// runs in single-precision floats at one fixed sample rate.
#include <array>
#include <cstdint>

#include "kit/random.h"

constexpr int kSampleRate = 44100;
constexpr float kPi = 3.14159265f;

// Frequency in Hz of a (fractional) MIDI note number; note 69 is 440 Hz.
float NoteToHz(float note);

namespace sound_detail {
constexpr int kSineTableSize = 4096;

// sin(x) for x in [-pi, pi] by its power series, exact to double precision.
constexpr double SineSeries(double x) {
  double term = x;
  double sum = x;
  for (int n = 1; n < 24; ++n) {
    term *= -x * x / ((2.0 * n) * (2.0 * n + 1.0));
    sum += term;
  }
  return sum;
}

constexpr std::array<float, kSineTableSize + 1> MakeSineTable() {
  constexpr double kTwoPi = 6.283185307179586;
  std::array<float, kSineTableSize + 1> values{};
  for (int i = 0; i <= kSineTableSize; ++i) {
    double angle = kTwoPi * i / kSineTableSize;
    if (angle > kTwoPi / 2) angle -= kTwoPi;
    values[i] = static_cast<float>(SineSeries(angle));
  }
  return values;
}

// One period of a sine in kSineTableSize steps, plus the first value again at the end,
// made by the compiler.
inline constexpr std::array<float, kSineTableSize + 1> kSineTable = MakeSineTable();
// The correction that turns a jump of height 2 at phase 0 into a band-limited step; `t` is
// the phase, `dt` the phase increment per sample.
inline float BandLimitedStep(float t, float dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0f;
  }
  if (t > 1.0f - dt) {
    t = (t - 1.0f) / dt;
    return t * t + t + t + 1.0f;
  }
  return 0.0f;
}
}  // namespace sound_detail

// One period of a sine, phase given in cycles (any value; only the fraction counts).
inline float SineOfCycles(float cycles) {
  using sound_detail::kSineTableSize;
  const float position = (cycles - static_cast<float>(static_cast<int64_t>(cycles) - (cycles < 0.0f))) *
                         kSineTableSize;
  int index = static_cast<int>(position);
  if (index >= kSineTableSize) index = kSineTableSize - 1;
  const float fraction = position - static_cast<float>(index);
  const auto& table = sound_detail::kSineTable;
  return table[index] + (table[index + 1] - table[index]) * fraction;
}

// A phase accumulator with anti-aliased saw and pulse shapes (polynomial band-limited
// steps smooth each jump of the waveform over one sample either side).
class Oscillator {
 public:
  explicit Oscillator(float startPhase = 0.0f) : phase_(startPhase) {}
  void SetFrequency(float hz) { increment_ = hz / kSampleRate; }
  float Saw() {
    const float phase = Advance();
    return 2.0f * phase - 1.0f - sound_detail::BandLimitedStep(phase, increment_);
  }
  // A pulse that is high for `width` of each cycle.
  float Pulse(float width) {
    const float phase = Advance();
    float value = phase < width ? 1.0f : -1.0f;
    value += sound_detail::BandLimitedStep(phase, increment_);
    float falling = phase - width;
    if (falling < 0.0f) falling += 1.0f;
    return value - sound_detail::BandLimitedStep(falling, increment_);
  }
  // A square wave without band limiting, for noisy metallic sounds where its aliasing
  // does no harm.
  float RoughSquare() { return Advance() < 0.5f ? 1.0f : -1.0f; }
  // A sine, its phase pushed ahead by `offsetCycles` (phase modulation).
  float Sine(float offsetCycles = 0.0f) { return SineOfCycles(Advance() + offsetCycles); }

 private:
  float Advance() {
    const float phase = phase_;
    phase_ += increment_;
    if (phase_ >= 1.0f) phase_ -= 1.0f;
    return phase;
  }
  float phase_;
  float increment_ = 0.0f;
};

// Attack-decay-sustain-release amplitude shape. The attack rises linearly; the decay falls
// exponentially towards the sustain level with the given time constant (seconds); the
// release falls like an exponential aimed a little below zero, so that it reaches
// silence after about 2.4 of its time constants.
class Envelope {
 public:
  Envelope(float attack, float decay, float sustain, float release);
  float Next() {
    switch (stage_) {
      case Stage::kAttack:
        level_ += attackStep_;
        if (level_ >= 1.0f) {
          level_ = 1.0f;
          stage_ = Stage::kDecay;
        }
        break;
      case Stage::kDecay:
        level_ = sustain_ + (level_ - sustain_) * decayFactor_;
        break;
      case Stage::kRelease:
        level_ = kReleaseTarget + (level_ - kReleaseTarget) * releaseFactor_;
        if (level_ <= 0.0f) {
          level_ = 0.0f;
          stage_ = Stage::kDone;
        }
        break;
      case Stage::kDone:
        break;
    }
    return level_;
  }
  void Release() {
    if (stage_ != Stage::kDone) stage_ = Stage::kRelease;
  }
  bool Finished() const { return stage_ == Stage::kDone; }

 private:
  enum class Stage { kAttack, kDecay, kRelease, kDone };
  static constexpr float kReleaseTarget = -0.1f;
  Stage stage_ = Stage::kAttack;
  float level_ = 0.0f;
  float attackStep_;
  float decayFactor_;
  float sustain_;
  float releaseFactor_;
};

// exp(-t / timeConstant) evaluated step by step: one multiplication per sample.
class Decay {
 public:
  explicit Decay(float timeConstant);
  float Next() {
    const float value = level_;
    level_ *= factor_;
    return value;
  }

 private:
  float level_ = 1.0f;
  float factor_;
};

// Resonant state-variable filter (trapezoidal integration), giving low, band and high
// pass from one state. Resonance runs from 0 (none) to just below 1 (self-oscillation).
class Filter {
 public:
  struct Outputs {
    float low, band, high;
  };
  void Tune(float cutoffHz, float resonance);
  Outputs Process(float input) {
    const float v3 = input - state2_;
    const float v1 = a1_ * state1_ + a2_ * v3;
    const float v2 = state2_ + a2_ * state1_ + a3_ * v3;
    state1_ = 2.0f * v1 - state1_;
    state2_ = 2.0f * v2 - state2_;
    return {v2, v1, input - k_ * v1 - v2};
  }
  float Low(float input) { return Process(input).low; }
  float High(float input) { return Process(input).high; }
  float Band(float input) { return Process(input).band; }

 private:
  float g_ = 0.0f, k_ = 2.0f, a1_ = 1.0f, a2_ = 0.0f, a3_ = 0.0f;
  float state1_ = 0.0f, state2_ = 0.0f;
};

// White noise in [-1, 1), seeded per voice so that every hit is its own and the whole
// soundtrack still comes out the same on every run.
class Noise {
 public:
  explicit Noise(uint64_t seed) : random_(seed) {}
  float Next() { return random_.Unit() * 2.0f - 1.0f; }

 private:
  ContentRandom random_;
};

// Where a mono voice sits: equal-power stereo gains and its share of the two effect sends.
struct Placement {
  float left, right, reverb, echo;
  // pan runs from -1 (left) to 1 (right).
  static Placement Of(float pan, float reverb, float echo);
};

// A rounded limit: the identity near zero, bending smoothly towards +-1 above `knee`.
float SoftLimit(float value, float knee);
