#include "base/timer.h"

#include <algorithm>
#include <cmath>

CTimer::CTimer(const Clock& clock) : clock_(clock) {
  if (!clock_.QueryFrequency(&frequency)) frequency = 1000;
  frequencyF = static_cast<float>(frequency);
}

uint64_t CTimer::Now() const {
  uint64_t ticks = 0;
  if (!clock_.QueryCounter(&ticks)) return clock_.Milliseconds();
  // A reading of exactly 0 is taken as "not ready yet" and read again.
  while (ticks == 0) clock_.QueryCounter(&ticks);
  return ticks;
}

void CTimer::Reset(float fps0) {
  fps = fps0;
  secondsPerFrame = 1.0f / fps0;
  lastDelta = static_cast<uint64_t>(static_cast<long double>(frequency) / fps0);
  lastTick = start = Now();
}

void CTimer::Tick() {
  const uint64_t now = Now();
  if (now == lastTick) return;
  lastDelta = now - lastTick;
  lastTick = now;
  // An exponential average giving the newest frame a weight of one quarter.
  const long double newest = static_cast<long double>(frequencyF) / lastDelta;
  fps = static_cast<float>(newest * 0.25L + static_cast<long double>(fps) * 0.75L);
  if (!(fps >= 1.0f)) fps = 1.0f;  // also replaces a NaN
  secondsPerFrame = 1.0f / fps;
}

void CTimer::Pause() {
  pauseStart = Now();
  paused_ = true;
}

void CTimer::Resume() {
  start += Now() - pauseStart;
  paused_ = false;
}

void CTimer::SeekTo(double seconds) {
  const auto ticks =
      static_cast<uint64_t>(std::llround(std::max(seconds, 0.0) * static_cast<double>(frequency)));
  start = (paused_ ? pauseStart : Now()) - ticks;
}

float CTimer::DemoTime() const {
  // While paused, time stands at the moment of the pause: a full-screen demo keeps
  // drawing in the background, and its picture must not run ahead of the paused music.
  const uint64_t now = paused_ ? pauseStart : Now();
  return static_cast<float>(static_cast<long double>(now - start) / frequency);
}
