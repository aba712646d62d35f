#include "music/sound_dsp.h"
#include "kit/portable_maths.h"

#include <algorithm>
#include <cmath>

namespace {

float FactorForTimeConstant(float seconds) {
  return portable::exp(-1.0f / (std::max(seconds, 1e-4f) * kSampleRate));
}

}  // namespace

float NoteToHz(float note) { return 440.0f * portable::exp2((note - 69.0f) / 12.0f); }

Envelope::Envelope(float attack, float decay, float sustain, float release)
    : attackStep_(1.0f / (std::max(attack, 1e-4f) * kSampleRate)),
      decayFactor_(FactorForTimeConstant(decay)),
      sustain_(sustain),
      releaseFactor_(FactorForTimeConstant(release)) {}

Decay::Decay(float timeConstant) : factor_(FactorForTimeConstant(timeConstant)) {}

void Filter::Tune(float cutoffHz, float resonance) {
  const float cutoff = std::clamp(cutoffHz, 20.0f, 0.45f * kSampleRate);
  g_ = portable::tan(kPi * cutoff / kSampleRate);
  k_ = 2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.98f);
  a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

Placement Placement::Of(float pan, float reverb, float echo) {
  const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * kPi * 0.25f;
  return {portable::cos(angle), portable::sin(angle), reverb, echo};
}

float SoftLimit(float value, float knee) {
  const float magnitude = std::fabs(value);
  if (magnitude <= knee) return value;
  const float room = 1.0f - knee;
  const float bent = knee + room * portable::tanh((magnitude - knee) / room);
  return value < 0.0f ? -bent : bent;
}
