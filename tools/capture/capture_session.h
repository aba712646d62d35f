#pragma once
// The demo runtime without the dialog or a visible window: a hidden window carries the
// OpenGL context, the demo renders at the chosen size, and demo time is whatever the
// session sets on its virtual clock.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include "base/clock.h"
#include "demo/demo.h"
#include "moment_plan.h"

class CaptureSession {
 public:
  // Builds the demo with `script` (the program's is BuildTimeline); throws demoError as
  // the program's construction does, and std::runtime_error when SDL gives no window.
  // Without `present`, frames stay in the render target, where they are read back, and
  // the copy to the window that nobody sees is saved; a benchmark presents, as the player
  // does.
  CaptureSession(uint32_t width, uint32_t height, bool mute, const TimelineScript& script,
                 bool present = true);
  ~CaptureSession();

  CaptureSession(const CaptureSession&) = delete;
  CaptureSession& operator=(const CaptureSession&) = delete;

  // Draws the frame at `seconds` of demo time (0 or more); false once the timeline has run
  // out. Without `drawsPixels` the frame only brings the parts' state along (a warm-up
  // frame) and the render target keeps the last frame's picture.
  bool DrawFrameAt(double seconds, bool drawsPixels = true);
  // The last drawn frame as 0xAARRGGBB pixels, top row first; false on failure.
  bool ReadFrame(std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) const;
  // Writes the last drawn frame as a PNG file; false on failure, with the reason in
  // `cause` when given.
  bool SaveFrame(const std::string& path, std::string* cause = nullptr) const;
  // The names of the parts the last frame drew, in drawing order.
  std::vector<std::string> PartsOnScreen() const;

  CDemo& demo() { return *demo_; }
  SDL_Window* window() const { return window_; }
  // Every part's window, as the timeline held them before the first frame.
  const std::vector<PartWindow>& windows() const { return windows_; }
  // The demo time after which the timeline has run out.
  double TimelineEnd() const;

 private:
  // A clock with nanosecond ticks keeps frame times exact to well below a sample.
  ManualClock clock_{1000000000};
  SDL_Window* window_ = nullptr;
  std::unique_ptr<CDemo> demo_;
  std::vector<PartWindow> windows_;
};
