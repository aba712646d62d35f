#include "music/drum_voices.h"
#include "kit/portable_maths.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

int Frames(float seconds) { return static_cast<int>(seconds * kSampleRate); }

// Drums stop after a fixed time, when they have decayed by about five time constants;
// the last few milliseconds fade out so that what is left ends without a click.
constexpr int kStopFrames = kSampleRate / 200;

float StopFade(int remaining) {
  return remaining >= kStopFrames ? 1.0f : static_cast<float>(remaining) / kStopFrames;
}

// A drum hit of fixed length that is made one mono sample at a time.
class MonoHit : public Voice {
 public:
  MonoHit(float seconds, Placement placement) : remaining_(Frames(seconds)), placement_(placement) {}

  bool Render(const MixBlock& out, int frames) final {
    const int count = std::min(frames, remaining_);
    for (int i = 0; i < count; ++i) out.Add(i, Next() * StopFade(remaining_ - i), placement_);
    remaining_ -= count;
    return remaining_ > 0;
  }

 protected:
  virtual float Next() = 0;

 private:
  int remaining_;
  Placement placement_;
};

// Six square waves at unrelated pitches: the clangorous core of hats and cymbals.
class MetalTone {
 public:
  explicit MetalTone(float scale) {
    constexpr std::array<float, 6> kPitches = {205.3f, 304.4f, 369.6f, 522.7f, 540.0f, 800.0f};
    for (size_t i = 0; i < kPitches.size(); ++i) {
      oscillators_[i] = Oscillator(0.13f * static_cast<float>(i));
      oscillators_[i].SetFrequency(kPitches[i] * scale);
    }
  }
  float Next() {
    float sum = 0.0f;
    for (auto& oscillator : oscillators_) sum += oscillator.RoughSquare();
    return sum * (1.0f / 6.0f);
  }

 private:
  std::array<Oscillator, 6> oscillators_;
};

// A sine whose pitch falls fast from a knock to its body, plus a click of noise.
class Kick : public MonoHit {
 public:
  Kick(const NoteEvent& note, uint64_t seed)
      : MonoHit(1.2f, Placement::Of(0.0f, 0.04f, 0.0f)),
        velocity_(note.velocity),
        punch_(0.6f + 0.6f * note.brightness),
        noise_(seed) {
    click_.Tune(3000.0f, 0.1f);
  }

 private:
  float Next() override {
    body_.SetFrequency(46.0f + 130.0f * sweep_.Next());
    const float body = body_.Sine() * amplitude_.Next();
    const float click = click_.Band(noise_.Next()) * clickLevel_.Next() * punch_;
    return 0.35f * SoftLimit(1.6f * (body + click), 0.5f) * velocity_;
  }

  float velocity_, punch_;
  Noise noise_;
  Filter click_;
  Oscillator body_;
  Decay sweep_{0.032f}, amplitude_{0.24f}, clickLevel_{0.004f};
};

// A short tuned body under a burst of bright noise.
class Snare : public MonoHit {
 public:
  Snare(const NoteEvent& note, uint64_t seed)
      : MonoHit(1.0f, Placement::Of(0.05f, 0.22f, 0.0f)),
        velocity_(note.velocity),
        noise_(seed),
        rattle_(0.09f + 0.1f * note.brightness) {
    lowTone_.SetFrequency(185.0f);
    highTone_.SetFrequency(330.0f);
    colour_.Tune(1800.0f, 0.2f);
  }

 private:
  float Next() override {
    const float tone = (lowTone_.Sine() + 0.5f * highTone_.Sine()) * toneLevel_.Next();
    const float hiss = colour_.High(noise_.Next()) * rattle_.Next();
    return (0.3f * tone + 0.48f * hiss) * velocity_;
  }

  float velocity_;
  Noise noise_;
  Oscillator lowTone_, highTone_;
  Filter colour_;
  Decay toneLevel_{0.05f};
  Decay rattle_;
};

// Several hands a few milliseconds apart, then the room.
class Clap : public MonoHit {
 public:
  Clap(const NoteEvent& note, uint64_t seed)
      : MonoHit(0.6f, Placement::Of(-0.05f, 0.3f, 0.0f)), velocity_(note.velocity), noise_(seed) {
    colour_.Tune(1300.0f, 0.45f);
  }

 private:
  float Next() override {
    constexpr int kBurst = kSampleRate / 90;
    float level;
    if (age_ < 3 * kBurst) {
      const float inBurst = static_cast<float>(age_ % kBurst) / kBurst;
      level = portable::exp(-6.0f * inBurst);
    } else {
      level = tail_.Next();
    }
    ++age_;
    return 1.45f * colour_.Band(noise_.Next()) * level * velocity_;
  }

  float velocity_;
  Noise noise_;
  Filter colour_;
  Decay tail_{0.11f};
  int age_ = 0;
};

// Closed and open hats: metal and noise through a high pass, short or ringing.
class Hat : public MonoHit {
 public:
  Hat(const NoteEvent& note, uint64_t seed, bool open)
      : MonoHit(open ? 1.0f : 0.25f, Placement::Of(note.pan, 0.08f, open ? 0.05f : 0.0f)),
        velocity_(note.velocity),
        noise_(seed),
        metal_(1.0f + 0.3f * note.brightness),
        level_(open ? 0.2f : 0.03f + 0.02f * note.brightness),
        open_(open) {
    colour_.Tune(open ? 7000.0f : 8500.0f, 0.1f);
  }

 private:
  float Next() override {
    const float source = 0.6f * metal_.Next() + 0.7f * noise_.Next();
    return (open_ ? 0.38f : 0.65f) * colour_.High(source) * level_.Next() * velocity_;
  }

  float velocity_;
  Noise noise_;
  MetalTone metal_;
  Filter colour_;
  Decay level_;
  bool open_;
};

// A pitched drum that bends down onto its note.
class Tom : public MonoHit {
 public:
  Tom(const NoteEvent& note, uint64_t seed)
      : MonoHit(1.1f, Placement::Of(note.pan, 0.25f, 0.0f)),
        velocity_(note.velocity),
        pitch_(NoteToHz(note.note)),
        noise_(seed) {}

 private:
  float Next() override {
    body_.SetFrequency(pitch_ * (1.0f + 0.6f * bend_.Next()));
    const float skin = 0.15f * noise_.Next() * stick_.Next();
    return 0.35f * (body_.Sine() * amplitude_.Next() + skin) * velocity_;
  }

  float velocity_, pitch_;
  Noise noise_;
  Oscillator body_;
  Decay bend_{0.05f}, amplitude_{0.22f}, stick_{0.01f};
};

// A long wash of metal and noise, different on each side.
class Crash : public Voice {
 public:
  Crash(const NoteEvent& note, uint64_t seed)
      : velocity_(note.velocity),
        remaining_(Frames(4.0f * (0.8f + 1.2f * note.brightness))),
        left_(seed),
        right_(seed ^ 0x5A5A5A5Au),
        metal_(2.1f),
        ring_(0.8f + 1.2f * note.brightness) {
    leftColour_.Tune(4500.0f, 0.15f);
    rightColour_.Tune(4000.0f, 0.15f);
  }

  bool Render(const MixBlock& out, int frames) override {
    const int count = std::min(frames, remaining_);
    for (int i = 0; i < count; ++i) {
      const float metal = 0.5f * metal_.Next();
      const float level =
          0.32f * velocity_ * ring_.Next() * (1.0f - attack_.Next()) * StopFade(remaining_ - i);
      const float left = leftColour_.High(left_.Next() + metal) * level;
      const float right = rightColour_.High(right_.Next() + metal) * level;
      out.left[i] += left;
      out.right[i] += right;
      out.reverb[i] += 0.15f * (left + right);
    }
    remaining_ -= count;
    return remaining_ > 0;
  }

 private:
  float velocity_;
  int remaining_;
  Noise left_, right_;
  MetalTone metal_;
  Filter leftColour_, rightColour_;
  Decay ring_;
  Decay attack_{0.002f};
};

// Noise whose band climbs and whose level grows until the note's end, where it stops
// as quickly as a drum does: the swell into a cut.
class Riser : public Voice {
 public:
  Riser(const NoteEvent& note, uint64_t seed)
      : velocity_(note.velocity),
        length_(std::max<int64_t>(note.length, 1)),
        left_(seed),
        right_(seed ^ 0xA5A5A5A5u) {}

  bool Render(const MixBlock& out, int frames) override {
    constexpr int kTuneEvery = 32;
    for (int i = 0; i < frames; ++i, ++age_) {
      if (age_ >= length_ + kStopFrames) return false;
      const float progress = std::min(static_cast<float>(age_) / static_cast<float>(length_), 1.0f);
      if (age_ % kTuneEvery == 0) {
        const float cutoff = 300.0f * portable::exp2(5.0f * progress);
        leftBand_.Tune(cutoff, 0.55f);
        rightBand_.Tune(cutoff * 1.06f, 0.55f);
      }
      const float stop = StopFade(static_cast<int>(length_ + kStopFrames - age_));
      const float level = 0.45f * velocity_ * progress * progress * stop;
      const float left = leftBand_.Band(left_.Next()) * level;
      const float right = rightBand_.Band(right_.Next()) * level;
      out.left[i] += left;
      out.right[i] += right;
      out.reverb[i] += 0.3f * (left + right);
    }
    return true;
  }

 private:
  float velocity_;
  int64_t length_;
  int64_t age_ = 0;
  Noise left_, right_;
  Filter leftBand_, rightBand_;
};

// Hiss with a sprinkle of crackles, fading in and, after the note, out.
class Static : public Voice {
 public:
  Static(const NoteEvent& note, uint64_t seed)
      : velocity_(note.velocity),
        gate_(note.length),
        left_(seed),
        right_(seed ^ 0x3C3C3C3Cu),
        crackleChance_(seed ^ 0xC3C3C3C3u),
        envelope_(0.8f, 1.0f, 1.0f, 0.7f) {
    leftBand_.Tune(2600.0f, 0.1f);
    rightBand_.Tune(3100.0f, 0.1f);
  }

  bool Render(const MixBlock& out, int frames) override {
    for (int i = 0; i < frames; ++i, ++age_) {
      if (age_ == gate_) envelope_.Release();
      const float level = envelope_.Next() * velocity_;
      if (envelope_.Finished()) return false;
      // Roughly forty crackles a second, each a decaying spike of its own size.
      if (crackleChance_.Next() > 0.9982f) crackle_ = crackleChance_.Next();
      crackle_ *= 0.93f;
      const float left = leftBand_.Band(left_.Next()) + crackle_;
      const float right = rightBand_.Band(right_.Next()) + 0.7f * crackle_;
      out.left[i] += 0.3f * level * left;
      out.right[i] += 0.3f * level * right;
    }
    return true;
  }

 private:
  float velocity_;
  int64_t gate_;
  int64_t age_ = 0;
  Noise left_, right_, crackleChance_;
  Filter leftBand_, rightBand_;
  Envelope envelope_;
  float crackle_ = 0.0f;
};

}  // namespace

bool IsDrum(Instrument instrument) {
  switch (instrument) {
    case Instrument::kKick:
    case Instrument::kSnare:
    case Instrument::kClap:
    case Instrument::kClosedHat:
    case Instrument::kOpenHat:
    case Instrument::kCrash:
    case Instrument::kTom:
    case Instrument::kRiser:
    case Instrument::kStatic:
      return true;
    default:
      return false;
  }
}

std::unique_ptr<Voice> MakeDrumVoice(const NoteEvent& note, uint64_t seed) {
  switch (note.instrument) {
    case Instrument::kKick: return std::make_unique<Kick>(note, seed);
    case Instrument::kSnare: return std::make_unique<Snare>(note, seed);
    case Instrument::kClap: return std::make_unique<Clap>(note, seed);
    case Instrument::kClosedHat: return std::make_unique<Hat>(note, seed, false);
    case Instrument::kOpenHat: return std::make_unique<Hat>(note, seed, true);
    case Instrument::kTom: return std::make_unique<Tom>(note, seed);
    case Instrument::kCrash: return std::make_unique<Crash>(note, seed);
    case Instrument::kRiser: return std::make_unique<Riser>(note, seed);
    case Instrument::kStatic: return std::make_unique<Static>(note, seed);
    default: return nullptr;
  }
}
