#pragma once
// The two shared effects every voice can send to: a reverb that puts the mix in a room and
// a ping-pong echo that throws notes from side to side.
#include <cstddef>
#include <vector>

// A circular delay line of fixed length.
class DelayLine {
 public:
  explicit DelayLine(int frames) : buffer_(frames, 0.0f) {}
  // The sample written `frames` calls ago (the line's length).
  float Oldest() const { return buffer_[position_]; }
  // Replaces the oldest sample with `value` and moves on.
  void Push(float value) {
    buffer_[position_] = value;
    if (++position_ == buffer_.size()) position_ = 0;
  }

 private:
  std::vector<float> buffer_;
  size_t position_ = 0;
};

// Parallel damped feedback combs followed by all-pass diffusers, with slightly different
// lengths on each side so that the tail spreads across the stereo field.
class Reverb {
 public:
  Reverb();
  // Adds the reverberation of the mono `input` to `left` and `right`.
  void Process(const float* input, float* left, float* right, int frames);

 private:
  struct Comb {
    DelayLine line;
    float damped = 0.0f;
  };
  struct Side {
    std::vector<Comb> combs;
    std::vector<DelayLine> diffusers;
    float Next(float input);
  };
  Side left_, right_;
};

// Echoes that alternate between the sides, each darker and quieter than the one before.
class PingPongEcho {
 public:
  explicit PingPongEcho(int delayFrames);
  // Adds the echoes of the mono `input` to `left` and `right`.
  void Process(const float* input, float* left, float* right, int frames);

 private:
  DelayLine left_, right_;
  float damped_ = 0.0f;
};
