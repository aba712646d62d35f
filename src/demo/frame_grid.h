#pragma once
// Reaching a frame faithfully. Parts that carry state from frame to frame (particles,
// flares, a shaft that moves by each frame's step) show what a viewer of an uninterrupted
// run sees only when the frames before were played at the same step. These are the
// frames on such a step and the first of them to play for a given frame.
#include <cstdint>
#include <vector>

// A part's window on the timeline, in demo seconds as the timeline holds them: the part is
// on screen at t when start < t <= end.
struct PartWindow {
  float start;
  float end;
};

// How a frame is reached.
enum class MomentPlay {
  kFromPartStart,  // play every frame from the start of the earliest part on screen
  kFromDemoStart,  // play every frame from demo time 0
  kJump,           // draw the frame straight away
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
