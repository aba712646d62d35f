// The demo going back and playing frames again, for a player that seeks and a tool that
// captures one moment.
#include <algorithm>
#include <vector>

#include "demo/demo.h"
#include "demo/demo_random.h"
#include "demo/frame_grid.h"
#include "demo/part.h"

void CDemo::Rewind() {
  timeline_.Rewind();
  SeedDemoRand(builtRandState_);
  builtStates_->Restore(device_);
}

double CDemo::SeekTo(double seconds, double fps) {
  const FrameGrid grid{0.0, fps};
  const int64_t frame = std::max<int64_t>(grid.FrameAt(seconds), 0);
  const int64_t first =
      FirstFrameToPlay(grid, frame, MomentPlay::kFromPartStart, timeline_.windows());
  Rewind();
  // The frames before only bring the parts' state along; none of their pixels survives
  // into the next frame, so none is drawn, and none counts toward a part's frame rate.
  std::vector<int> framesShown;
  for (const std::unique_ptr<CPart>& part : timeline_.parts()) framesShown.push_back(part->frames);
  context_->SetDrawsPixels(false);
  for (int64_t warmUp = first; warmUp < frame; ++warmUp) {
    timer_.SeekTo(grid.Time(warmUp));
    DrawFrame();
  }
  context_->SetDrawsPixels(true);
  for (size_t i = 0; i < framesShown.size(); ++i) timeline_.parts()[i]->frames = framesShown[i];
  timer_.SeekTo(grid.Time(frame));
  return grid.Time(frame);
}
