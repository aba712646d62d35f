#pragma once
// The demo runtime without the dialog or a visible window: a hidden window carries the
// OpenGL context, the demo renders at the chosen size, and demo time is whatever the
// session sets on its virtual clock.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <SDL2/SDL.h>

#include "app/clock.h"
#include "demo/demo.h"

class CaptureSession {
 public:
  // Builds the demo with `script` (the program's is BuildTimeline); throws demoError as
  // the program's construction does, and std::runtime_error when SDL gives no window.
  CaptureSession(uint32_t width, uint32_t height, bool mute, const TimelineScript& script);
  ~CaptureSession();

  CaptureSession(const CaptureSession&) = delete;
  CaptureSession& operator=(const CaptureSession&) = delete;

  // Draws the frame at `seconds` of demo time; false once the timeline has run out.
  bool DrawFrameAt(double seconds);
  // Draws the frames at the multiples of `step` that lie after both the last frame drawn and
  // the start of the earliest part on screen at `seconds`, and before `seconds`. Parts that
  // carry state from frame to frame (the flares, a flight) then show at `seconds` what a
  // viewer sees when the demo plays at that step.
  void PlayUpTo(double seconds, double step);
  // Writes the last drawn frame as a PNG file; false on failure.
  bool SaveFrame(const std::string& path) const;

  CDemo& demo() { return *demo_; }

 private:
  // A clock with nanosecond ticks keeps frame times exact to well below a sample.
  ManualClock clock_{1000000000};
  SDL_Window* window_ = nullptr;
  std::unique_ptr<CDemo> demo_;
  std::vector<std::pair<float, float>> windows_;  // every part's, in demo time
  double lastDrawn_ = -1;
};
