#pragma once
// Which frames to play, and which of them to keep, so that a kept frame shows what a
// viewer of a run at the fps step sees: the parts on screen have played every frame before
// it since they started.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture_options.h"

// A part's window on the timeline, in demo seconds as the timeline holds them: the part is
// on screen at t when start < t <= end.
struct PartWindow {
  float start;
  float end;
};

// Frames at demo time origin + index / fps.
struct FrameGrid {
  double origin = 0.0;
  double fps = 30.0;

  double Time(int64_t index) const { return origin + static_cast<double>(index) / fps; }
  // The frame on screen at `seconds`: the last one at or before it. A time a hair before a
  // frame (a decimal that binary cannot hold) counts as that frame.
  int64_t FrameAt(double seconds) const;
  // How many frames from index 0 on lie before `seconds` (a hair before counts as at it).
  int64_t FramesBefore(double seconds) const;
};

// The first frame to play so that `frame` is reached the way `play` asks: `frame` itself
// for kJump; the first frame at or after demo time 0 for kFromDemoStart; for
// kFromPartStart, the first frame that shows the earliest-starting part of those on screen
// at `frame` (or `frame` itself when none is).
int64_t FirstFrameToPlay(const FrameGrid& grid, int64_t frame, MomentPlay play,
                         const std::vector<PartWindow>& windows);

struct PlannedFrame {
  double time;                  // demo seconds
  std::vector<size_t> moments;  // the moments (indices into the times) it shows; none: played only
};

// The frames that show the ascending `times` on the grid from demo time 0 at `fps` (with
// kJump, at the times themselves), in playing order. Moments close together share their
// warm-up, and no frame is played twice.
std::vector<PlannedFrame> PlanMoments(const std::vector<double>& times, double fps,
                                      MomentPlay play, const std::vector<PartWindow>& windows);
