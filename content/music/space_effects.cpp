#include "music/space_effects.h"

#include <array>

namespace {

// Comb and diffuser lengths in frames: mutually prime so their echoes do not line up.
constexpr std::array<int, 6> kCombFrames = {1259, 1361, 1459, 1553, 1657, 1753};
constexpr std::array<int, 2> kDiffuserFrames = {541, 431};
constexpr int kRightSideStretch = 29;
constexpr float kCombFeedback = 0.83f;
constexpr float kCombDamping = 0.32f;
constexpr float kDiffuserGain = 0.5f;
constexpr float kReverbLevel = 0.22f;

// Applied at every crossing, so each echo is quieter than the one before.
constexpr float kEchoFeedback = 0.62f;
constexpr float kEchoDamping = 0.4f;

}  // namespace

Reverb::Reverb() {
  for (int side = 0; side < 2; ++side) {
    Side& target = side == 0 ? left_ : right_;
    const int stretch = side * kRightSideStretch;
    for (int frames : kCombFrames) target.combs.push_back({DelayLine(frames + stretch)});
    for (int frames : kDiffuserFrames) target.diffusers.emplace_back(frames + stretch);
  }
}

float Reverb::Side::Next(float input) {
  float sum = 0.0f;
  for (Comb& comb : combs) {
    const float delayed = comb.line.Oldest();
    comb.damped += (delayed - comb.damped) * (1.0f - kCombDamping);
    comb.line.Push(input + comb.damped * kCombFeedback);
    sum += delayed;
  }
  for (DelayLine& diffuser : diffusers) {
    const float delayed = diffuser.Oldest();
    const float fed = sum + delayed * kDiffuserGain;
    diffuser.Push(fed);
    sum = delayed - fed * kDiffuserGain;
  }
  return sum;
}

void Reverb::Process(const float* input, float* left, float* right, int frames) {
  for (int i = 0; i < frames; ++i) {
    const float in = input[i] * kReverbLevel;
    left[i] += left_.Next(in);
    right[i] += right_.Next(in);
  }
}

PingPongEcho::PingPongEcho(int delayFrames) : left_(delayFrames), right_(delayFrames) {}

void PingPongEcho::Process(const float* input, float* left, float* right, int frames) {
  for (int i = 0; i < frames; ++i) {
    const float fromLeft = left_.Oldest();
    const float fromRight = right_.Oldest();
    damped_ += (fromRight - damped_) * (1.0f - kEchoDamping);
    left_.Push(input[i] + damped_ * kEchoFeedback);
    right_.Push(fromLeft * kEchoFeedback);
    left[i] += fromLeft;
    right[i] += fromRight;
  }
}
