#include "music/mixer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "music/space_effects.h"
#include "music/voice.h"

namespace {

constexpr int kBlockFrames = 256;
constexpr float kMasterGain = 0.8f;
// Peaks are bent smoothly above the knee and never pass the ceiling, which leaves the
// encoder room for the small overshoots of its filters.
constexpr float kLimiterKnee = 0.75f;
constexpr float kCeiling = 0.9f;
// A gentle high pass at about 10 Hz keeps the sum free of any offset.
constexpr float kDcBlock = 0.9986f;

struct ActiveVoice {
  std::unique_ptr<Voice> voice;
  int64_t start;
};

// Gain, limiting and conversion, one channel.
class MasterChannel {
 public:
  int16_t Next(float sample, float fade) {
    const float centred = sample - previousInput_ + kDcBlock * previousOutput_;
    previousInput_ = sample;
    previousOutput_ = centred;
    const float limited = kCeiling * SoftLimit(kMasterGain * centred, kLimiterKnee) * fade;
    return static_cast<int16_t>(std::lround(limited * 32767.0f));
  }

 private:
  float previousInput_ = 0.0f;
  float previousOutput_ = 0.0f;
};

}  // namespace

std::vector<int16_t> MixScore(const Score& score, const MixSettings& settings) {
  std::vector<int16_t> pcm(2 * static_cast<size_t>(settings.frames));
  std::array<float, kBlockFrames> left, right, reverbSend, echoSend;
  std::vector<ActiveVoice> active;
  Reverb reverb;
  PingPongEcho echo(settings.echoDelayFrames);
  MasterChannel masterLeft, masterRight;
  size_t next = 0;

  for (int64_t blockStart = 0; blockStart < settings.frames; blockStart += kBlockFrames) {
    const int count = static_cast<int>(std::min<int64_t>(kBlockFrames, settings.frames - blockStart));
    left.fill(0.0f);
    right.fill(0.0f);
    reverbSend.fill(0.0f);
    echoSend.fill(0.0f);
    for (; next < score.size() && score[next].start < blockStart + count; ++next) {
      // Each note's noise is seeded by its place in the score.
      active.push_back({MakeVoice(score[next], next + 1), score[next].start});
    }
    for (ActiveVoice& playing : active) {
      const int offset = static_cast<int>(std::max<int64_t>(0, playing.start - blockStart));
      const MixBlock out{left.data() + offset, right.data() + offset, reverbSend.data() + offset,
                         echoSend.data() + offset};
      if (!playing.voice->Render(out, count - offset)) playing.voice.reset();
    }
    std::erase_if(active, [](const ActiveVoice& playing) { return !playing.voice; });
    reverb.Process(reverbSend.data(), left.data(), right.data(), count);
    echo.Process(echoSend.data(), left.data(), right.data(), count);

    for (int i = 0; i < count; ++i) {
      const int64_t frame = blockStart + i;
      float fade = 1.0f;
      if (frame >= settings.fadeOutFrom) {
        fade = static_cast<float>(settings.frames - frame) / static_cast<float>(settings.frames - settings.fadeOutFrom);
        fade *= fade;
      }
      pcm[2 * frame] = masterLeft.Next(left[i], fade);
      pcm[2 * frame + 1] = masterRight.Next(right[i], fade);
    }
  }
  return pcm;
}
