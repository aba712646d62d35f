#pragma once
// The demo clock: demo time is the counter's ticks since Reset, less every paused span,
// divided by the counter's frequency. It also keeps a smoothed frame-rate estimate.
#include <cstdint>

#include "base/clock.h"

class CTimer {
 public:
  explicit CTimer(const Clock& clock);

  // The counter; falls back to the millisecond counter when there is no high-resolution one.
  uint64_t Now() const;
  void Reset(float fps0);
  // Called once per presented frame.
  void Tick();
  void Pause();
  // Call only after Pause.
  void Resume();
  // Demo time becomes `seconds` (0 or more) now, whether paused or running: a paused timer
  // stands at it, a running one goes on from it. The seconds become whole counter ticks
  // first, as a tool's virtual clock does, so both read the same f32 time.
  void SeekTo(double seconds);
  bool paused() const { return paused_; }

  // Seconds since Reset without the paused spans, divided in extended precision and
  // stored as f32. It stands still while the timer is paused.
  float DemoTime() const;

  float frequencyF = 0;
  float fps = 0;
  float secondsPerFrame = 0;
  uint64_t pauseStart = 0;
  uint64_t lastTick = 0;
  uint64_t start = 0;
  uint64_t frequency = 0;
  uint64_t lastDelta = 0;

 private:
  const Clock& clock_;
  bool paused_ = false;
};
