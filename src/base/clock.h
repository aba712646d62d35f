#pragma once
// Where the demo clock reads its time. The program reads SDL's performance counter;
// tests and tools use a clock they set by hand, so demo time is whatever they say.
#include <cstdint>

class Clock {
 public:
  virtual ~Clock() = default;
  // Ticks per second of the high-resolution counter; false when there is none.
  virtual bool QueryFrequency(uint64_t* ticksPerSecond) const = 0;
  // The high-resolution counter; false when there is none.
  virtual bool QueryCounter(uint64_t* ticks) const = 0;
  // The fallback counter: milliseconds since some fixed moment, wrapping at 2^32.
  virtual uint32_t Milliseconds() const = 0;
};

// SDL's performance counter.
class SdlClock : public Clock {
 public:
  bool QueryFrequency(uint64_t* ticksPerSecond) const override;
  bool QueryCounter(uint64_t* ticks) const override;
  uint32_t Milliseconds() const override;
};

// A counter that moves only when told to. It starts at 1: a reading of 0 means "try
// again" to the demo clock.
class ManualClock : public Clock {
 public:
  explicit ManualClock(uint64_t ticksPerSecond = 1000000, bool hasCounter = true);

  void SetTicks(uint64_t ticks) { ticks_ = ticks; }
  uint64_t Ticks() const { return ticks_; }
  void AdvanceTicks(uint64_t ticks) { ticks_ += ticks; }
  void AdvanceSeconds(double seconds);

  bool QueryFrequency(uint64_t* ticksPerSecond) const override;
  bool QueryCounter(uint64_t* ticks) const override;
  uint32_t Milliseconds() const override;

 private:
  uint64_t frequency_;
  bool hasCounter_;
  uint64_t ticks_ = 1;
};
