#include "base/clock.h"

#include <cmath>

#include <SDL2/SDL.h>

bool SdlClock::QueryFrequency(uint64_t* ticksPerSecond) const {
  *ticksPerSecond = SDL_GetPerformanceFrequency();
  return *ticksPerSecond != 0;
}

bool SdlClock::QueryCounter(uint64_t* ticks) const {
  *ticks = SDL_GetPerformanceCounter();
  return true;
}

uint32_t SdlClock::Milliseconds() const { return SDL_GetTicks(); }

ManualClock::ManualClock(uint64_t ticksPerSecond, bool hasCounter)
    : frequency_(hasCounter ? ticksPerSecond : 1000), hasCounter_(hasCounter) {}

void ManualClock::AdvanceSeconds(double seconds) {
  ticks_ += static_cast<uint64_t>(std::llround(seconds * static_cast<double>(frequency_)));
}

bool ManualClock::QueryFrequency(uint64_t* ticksPerSecond) const {
  *ticksPerSecond = hasCounter_ ? frequency_ : 0;
  return hasCounter_;
}

bool ManualClock::QueryCounter(uint64_t* ticks) const {
  *ticks = hasCounter_ ? ticks_ : 0;
  return hasCounter_;
}

// Without a high-resolution counter the ticks are milliseconds already.
uint32_t ManualClock::Milliseconds() const { return static_cast<uint32_t>(ticks_); }
