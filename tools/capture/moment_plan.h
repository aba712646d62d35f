#pragma once
// Which frames to play, and which of them to keep, so that a kept frame shows what a
// viewer of a run at the fps step sees: the parts on screen have played every frame before
// it since they started.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "demo/frame_grid.h"

struct PlannedFrame {
  double time;                  // demo seconds
  std::vector<size_t> moments;  // the moments (indices into the times) it shows; none: played only
};

// The frames that show the ascending `times` on the grid from demo time 0 at `fps` (with
// kJump, at the times themselves), in playing order. Moments close together share their
// warm-up, and no frame is played twice.
std::vector<PlannedFrame> PlanMoments(const std::vector<double>& times, double fps,
                                      MomentPlay play, const std::vector<PartWindow>& windows);
