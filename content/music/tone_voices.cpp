#include "music/tone_voices.h"

#include <algorithm>
#include <cmath>

namespace {

// Filters and pitch modulation are updated at this interval, not every frame.
constexpr int kControlFrames = 16;

// A decay with the time constant `seconds` for a value read once per control interval.
Decay ControlDecay(float seconds) { return Decay(seconds / kControlFrames); }

// A mono note shaped by an envelope that is let go when the key is: the frame `length`
// frames after the note began. Subclasses make the raw tone.
class GatedTone : public Voice {
 public:
  GatedTone(const NoteEvent& note, Envelope envelope, float gain, Placement placement)
      : gate_(note.length), envelope_(envelope), gain_(gain * note.velocity), placement_(placement) {}

  bool Render(const MixBlock& out, int frames) final {
    for (int i = 0; i < frames; ++i, ++age_) {
      if (age_ == gate_) envelope_.Release();
      const float level = envelope_.Next();
      if (envelope_.Finished()) return false;
      if (age_ % kControlFrames == 0) Control();
      out.Add(i, gain_ * level * Next(), placement_);
    }
    return true;
  }

 protected:
  // Called every kControlFrames frames, before the frame is made.
  virtual void Control() {}
  virtual float Next() = 0;
  int64_t age() const { return age_; }

 private:
  int64_t gate_;
  int64_t age_ = 0;
  Envelope envelope_;
  float gain_;
  Placement placement_;
};

// Saw with a square an octave below, through a low pass that snaps shut after each note's
// start. The acid variant drops the sub, resonates hard and is driven into saturation; its
// velocity sets how far the filter opens.
class Bass : public GatedTone {
 public:
  Bass(const NoteEvent& note, bool acid)
      : GatedTone(note, Envelope(0.002f, 0.35f, acid ? 0.6f : 0.75f, 0.035f), acid ? 0.27f : 0.29f,
                  Placement::Of(0.0f, 0.02f, acid ? 0.08f : 0.0f)),
        acid_(acid),
        brightness_(note.brightness),
        accent_(note.velocity),
        sweep_(ControlDecay(acid ? 0.14f : 0.085f)) {
    const float hz = NoteToHz(note.note);
    saw_.SetFrequency(hz);
    sub_.SetFrequency(hz * 0.5f);
  }

 private:
  void Control() override {
    const float sweep = sweep_.Next();
    if (acid_) {
      filter_.Tune(120.0f + 700.0f * brightness_ + (300.0f + 3500.0f * brightness_) * accent_ * sweep,
                   0.82f);
    } else {
      filter_.Tune(90.0f + 250.0f * brightness_ + (200.0f + 2200.0f * brightness_) * sweep, 0.2f);
    }
  }
  float Next() override {
    if (acid_) return SoftLimit(2.0f * filter_.Low(saw_.Saw()), 0.5f);
    return filter_.Low(saw_.Saw() + 0.6f * sub_.Pulse(0.5f));
  }

  bool acid_;
  float brightness_, accent_;
  Oscillator saw_, sub_;
  Filter filter_;
  Decay sweep_;
};

// A plain sine under everything.
class SubBass : public GatedTone {
 public:
  explicit SubBass(const NoteEvent& note)
      : GatedTone(note, Envelope(0.05f, 1.0f, 1.0f, 0.3f), 0.22f, Placement::Of(0.0f, 0.0f, 0.0f)) {
    sine_.SetFrequency(NoteToHz(note.note));
  }

 private:
  float Next() override { return sine_.Sine(); }
  Oscillator sine_;
};

// Saw and slightly detuned square, with a vibrato that sets in after the attack.
class Lead : public GatedTone {
 public:
  explicit Lead(const NoteEvent& note)
      : GatedTone(note, Envelope(0.006f, 0.5f, 0.7f, 0.12f), 0.27f, Placement::Of(note.pan, 0.22f, 0.3f)),
        note_(note.note),
        brightness_(note.brightness) {}

 private:
  void Control() override {
    const float seconds = static_cast<float>(age()) / kSampleRate;
    const float depth = 0.22f * std::clamp((seconds - 0.12f) / 0.35f, 0.0f, 1.0f);
    vibratoCycles_ += kControlFrames * 5.5f / kSampleRate;
    const float hz = NoteToHz(note_ + depth * SineOfCycles(vibratoCycles_));
    saw_.SetFrequency(hz);
    square_.SetFrequency(hz * 1.0035f);
    filter_.Tune(1500.0f + 4500.0f * brightness_ + 2500.0f * sweep_.Next(), 0.15f);
  }
  float Next() override { return filter_.Low(0.55f * saw_.Saw() + 0.45f * square_.Pulse(0.5f)); }

  float note_, brightness_;
  float vibratoCycles_ = 0.0f;
  Oscillator saw_, square_;
  Filter filter_;
  Decay sweep_ = ControlDecay(0.1f);
};

// A short, plucked saw-and-pulse whose filter closes quickly: arpeggios and stabs.
class Pluck : public GatedTone {
 public:
  explicit Pluck(const NoteEvent& note)
      : GatedTone(note, Envelope(0.001f, 0.2f, 0.0f, 0.05f), 0.56f, Placement::Of(note.pan, 0.18f, 0.32f)),
        brightness_(note.brightness) {
    const float hz = NoteToHz(note.note);
    saw_.SetFrequency(hz);
    pulse_.SetFrequency(hz * 1.002f);
  }

 private:
  void Control() override {
    filter_.Tune(200.0f + (600.0f + 6000.0f * brightness_) * sweep_.Next(), 0.3f);
  }
  float Next() override { return filter_.Low(0.6f * saw_.Saw() + 0.4f * pulse_.Pulse(0.3f)); }

  float brightness_;
  Oscillator saw_, pulse_;
  Filter filter_;
  Decay sweep_ = ControlDecay(0.07f);
};

// Two-operator frequency modulation: a sine whose phase is pushed by another sine at
// `ratio` times its pitch, the push fading to `floorIndex` after the strike.
class FmKeys : public GatedTone {
 public:
  struct Design {
    float ratio, index, indexDecay, floorIndex, decay, release, gain, reverb, echo;
  };

  FmKeys(const NoteEvent& note, const Design& design)
      : GatedTone(note, Envelope(0.002f, design.decay, 0.0f, design.release), design.gain,
                  Placement::Of(note.pan, design.reverb, design.echo)),
        index_(design.index * (0.5f + note.brightness)),
        floorIndex_(design.floorIndex),
        strike_(design.indexDecay) {
    const float hz = NoteToHz(note.note);
    carrier_.SetFrequency(hz);
    modulator_.SetFrequency(hz * design.ratio);
  }

 private:
  float Next() override {
    // The index is in radians of the carrier's phase.
    const float index = floorIndex_ + index_ * strike_.Next();
    return carrier_.Sine(index * (0.5f / kPi) * modulator_.Sine());
  }

  float index_, floorIndex_;
  Decay strike_;
  Oscillator carrier_, modulator_;
};

constexpr FmKeys::Design kBell = {3.5f, 1.8f, 0.6f, 0.15f, 1.4f, 0.6f, 0.2f, 0.35f, 0.25f};
constexpr FmKeys::Design kElectricPiano = {1.0f, 1.2f, 0.35f, 0.2f, 1.6f, 0.25f, 0.2f, 0.2f, 0.1f};

// Three detuned saws spread across the stereo field, each side through its own slowly
// wandering low pass.
class Pad : public Voice {
 public:
  Pad(const NoteEvent& note, uint64_t seed)
      : gate_(note.length),
        gain_(0.07f * note.velocity),
        cutoff_(350.0f + 2800.0f * note.brightness * std::sqrt(note.brightness)),
        envelope_(0.4f, 2.0f, 0.75f, 0.5f) {
    ContentRandom random(seed);
    constexpr float kDetune[3] = {-0.11f, 0.0f, 0.12f};
    for (int i = 0; i < 3; ++i) {
      saws_[i] = Oscillator(random.Unit());
      saws_[i].SetFrequency(NoteToHz(note.note + kDetune[i]));
    }
    lfoCycles_ = random.Unit();
  }

  bool Render(const MixBlock& out, int frames) override {
    for (int i = 0; i < frames; ++i, ++age_) {
      if (age_ == gate_) envelope_.Release();
      const float level = gain_ * envelope_.Next();
      if (envelope_.Finished()) return false;
      if (age_ % kControlFrames == 0) {
        lfoCycles_ += kControlFrames * 0.23f / kSampleRate;
        const float cutoff = cutoff_ * (1.0f + 0.25f * SineOfCycles(lfoCycles_));
        leftFilter_.Tune(cutoff, 0.15f);
        rightFilter_.Tune(cutoff * 1.08f, 0.15f);
      }
      const float middle = 0.6f * saws_[1].Saw();
      const float left = leftFilter_.Low(saws_[0].Saw() + middle) * level;
      const float right = rightFilter_.Low(saws_[2].Saw() + middle) * level;
      out.left[i] += left;
      out.right[i] += right;
      out.reverb[i] += 0.3f * (left + right);
      out.echo[i] += 0.04f * (left + right);
    }
    return true;
  }

 private:
  int64_t gate_;
  int64_t age_ = 0;
  float gain_, cutoff_;
  Envelope envelope_;
  Oscillator saws_[3];
  Filter leftFilter_, rightFilter_;
  float lfoCycles_;
};

}  // namespace

std::unique_ptr<Voice> MakeToneVoice(const NoteEvent& note, uint64_t seed) {
  switch (note.instrument) {
    case Instrument::kBass: return std::make_unique<Bass>(note, false);
    case Instrument::kAcidBass: return std::make_unique<Bass>(note, true);
    case Instrument::kSubBass: return std::make_unique<SubBass>(note);
    case Instrument::kPad: return std::make_unique<Pad>(note, seed);
    case Instrument::kLead: return std::make_unique<Lead>(note);
    case Instrument::kPluck: return std::make_unique<Pluck>(note);
    case Instrument::kBell: return std::make_unique<FmKeys>(note, kBell);
    case Instrument::kKeys: return std::make_unique<FmKeys>(note, kElectricPiano);
    default: return nullptr;
  }
}
