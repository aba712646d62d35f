#include "demo/frame_grid.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// How far below a frame's time a moment may lie and still be that frame, in frames.
constexpr double kFrameTolerance = 1e-6;

// The timeline compares demo time in f32, so a window's edges are judged the same way.
bool OnScreen(const PartWindow& window, double seconds) {
  const float t = static_cast<float>(seconds);
  return t > window.start && t <= window.end;
}

// The first frame whose f32 time lies after `seconds`.
int64_t FirstFrameAfter(const FrameGrid& grid, float seconds) {
  auto index =
      static_cast<int64_t>(std::floor((static_cast<double>(seconds) - grid.origin) * grid.fps));
  while (static_cast<float>(grid.Time(index)) <= seconds) ++index;
  while (static_cast<float>(grid.Time(index - 1)) > seconds) --index;
  return index;
}

int64_t FirstFrameFromDemoStart(const FrameGrid& grid) {
  auto index = static_cast<int64_t>(std::ceil(-grid.origin * grid.fps));
  while (grid.Time(index) < 0.0) ++index;
  while (grid.Time(index - 1) >= 0.0) --index;
  return index;
}

}  // namespace

int64_t FrameGrid::FrameAt(double seconds) const {
  return static_cast<int64_t>(std::floor((seconds - origin) * fps + kFrameTolerance));
}

int64_t FrameGrid::FramesBefore(double seconds) const {
  return std::max<int64_t>(
      0, static_cast<int64_t>(std::ceil((seconds - origin) * fps - kFrameTolerance)));
}

int64_t FirstFrameToPlay(const FrameGrid& grid, int64_t frame, MomentPlay play,
                         const std::vector<PartWindow>& windows) {
  switch (play) {
    case MomentPlay::kJump:
      return frame;
    case MomentPlay::kFromDemoStart:
      return std::min(frame, FirstFrameFromDemoStart(grid));
    case MomentPlay::kFromPartStart:
      break;
  }
  const double seconds = grid.Time(frame);
  std::optional<float> earliest;
  for (const PartWindow& window : windows) {
    if (OnScreen(window, seconds) && (!earliest || window.start < *earliest)) {
      earliest = window.start;
    }
  }
  if (!earliest) return frame;
  // Never before demo time 0, where the timeline's clock starts.
  return std::clamp(FirstFrameAfter(grid, *earliest), FirstFrameFromDemoStart(grid), frame);
}
