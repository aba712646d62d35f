#include "moment_plan.h"

#include <algorithm>
#include <optional>

std::vector<PlannedFrame> PlanMoments(const std::vector<double>& times, double fps,
                                      MomentPlay play, const std::vector<PartWindow>& windows) {
  std::vector<PlannedFrame> frames;
  if (play == MomentPlay::kJump) {
    for (size_t moment = 0; moment < times.size(); ++moment) {
      if (frames.empty() || frames.back().time != times[moment]) {
        frames.push_back({times[moment], {}});
      }
      frames.back().moments.push_back(moment);
    }
    return frames;
  }

  const FrameGrid grid{0.0, fps};
  std::optional<int64_t> lastPlayed;
  for (size_t moment = 0; moment < times.size(); ++moment) {
    const int64_t frame = std::max<int64_t>(grid.FrameAt(times[moment]), 0);
    if (lastPlayed && frame <= *lastPlayed) {
      // The ascending times give frames that never go back: this one shows the last frame.
      frames.back().moments.push_back(moment);
      continue;
    }
    int64_t first = FirstFrameToPlay(grid, frame, play, windows);
    if (lastPlayed) first = std::max(first, *lastPlayed + 1);
    for (int64_t warmUp = first; warmUp < frame; ++warmUp) {
      frames.push_back({grid.Time(warmUp), {}});
    }
    frames.push_back({grid.Time(frame), {moment}});
    lastPlayed = frame;
  }
  return frames;
}
