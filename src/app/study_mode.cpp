#include "app/study_mode.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/log.h"
#include "demo/audio.h"
#include "demo/demo.h"

namespace {

constexpr double kSeekStep = 5.0;
constexpr double kFineSeekStep = 1.0;
// A row's first frame lies within one frame after its start (a part is on screen once
// demo time has passed its start).
constexpr double kOneFrame = 1.0 / StudyMode::kFramesPerSecond;

}  // namespace

StudyMode::StudyMode(CDemo& demo) : demo_(demo) {
  for (const PartWindow& window : demo_.timeline().windows()) {
    rowStarts_.push_back(window.start);
    end_ = std::max(end_, static_cast<double>(window.end));
  }
  std::sort(rowStarts_.begin(), rowStarts_.end());
  rowStarts_.erase(std::unique(rowStarts_.begin(), rowStarts_.end()), rowStarts_.end());
  // The last frame before the timeline runs out.
  end_ = std::max(0.0, end_ - kOneFrame);
}

bool StudyMode::HandleKey(int key, bool shift) {
  const double step = shift ? kFineSeekStep : kSeekStep;
  switch (key) {
    case SDLK_SPACE:
      TogglePause();
      return true;
    case SDLK_LEFT:
      SeekTo(Now() - step);
      return true;
    case SDLK_RIGHT:
      SeekTo(Now() + step);
      return true;
    case SDLK_PAGEUP:
      JumpToRow(-1);
      return true;
    case SDLK_PAGEDOWN:
      JumpToRow(+1);
      return true;
    case SDLK_HOME:
      SeekTo(0.0);
      return true;
    case SDLK_PERIOD:
      Step(+1);
      return true;
    case SDLK_COMMA:
      Step(-1);
      return true;
    default:
      return false;
  }
}

void StudyMode::TogglePause() {
  if (paused_) {
    // The music goes on from the picture's moment, wherever it had run ahead to.
    demo_.SeekMusicTo(Now());
    demo_.timer().Resume();
    AudioStart();
    paused_ = false;
  } else {
    demo_.timer().Pause();
    AudioPause();
    paused_ = true;
    frameDrawn_ = true;  // the last frame drawn is the one to hold
  }
}

void StudyMode::SeekTo(double seconds) {
  const double target = std::clamp(seconds, 0.0, end_);
  const double landed = demo_.SeekTo(target, kFramesPerSecond);
  demo_.SeekMusicTo(landed);
  char line[64];
  std::snprintf(line, sizeof line, "---- Seek to %.3f ----\n", landed);
  g_log << line;
  frameDrawn_ = false;
}

void StudyMode::Step(int frames) {
  if (!paused_) return;
  // The frame grid's own index of the frame shown, so that steps never drift.
  const double shown = std::round(Now() * kFramesPerSecond);
  SeekTo((shown + frames) / kFramesPerSecond);
}

void StudyMode::JumpToRow(int direction) {
  const double now = Now();
  if (direction > 0) {
    const auto next = std::upper_bound(rowStarts_.begin(), rowStarts_.end(), now);
    if (next != rowStarts_.end()) SeekTo(*next + kOneFrame);
    return;
  }
  // A row whose first frame is on screen counts as where the viewer is, not before it.
  const auto notBefore =
      std::lower_bound(rowStarts_.begin(), rowStarts_.end(), now - 2 * kOneFrame);
  SeekTo(notBefore == rowStarts_.begin() ? 0.0 : *std::prev(notBefore) + kOneFrame);
}

bool StudyMode::Frame() {
  if (!paused_) return demo_.DrawFrame();
  if (!frameDrawn_) {
    frameDrawn_ = true;
    return demo_.DrawFrame();
  }
  demo_.context()->UpdateFrame(0);
  return true;
}

double StudyMode::Now() const { return demo_.CurrentTime(); }
