#pragma once
// Frame rates per part, measured in wall-clock time: every frame's duration is counted
// for each part that was drawn in it.
#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "capture_session.h"
#include "demo/demo.h"

class PartBench {
 public:
  explicit PartBench(const CDemo& demo);

  // Counts one frame of `seconds` for every part now active in the demo.
  void AddFrame(double seconds);
  // One line per part that was drawn, in script order, and a total.
  void Report(std::ostream& out) const;

 private:
  struct PartTotals {
    std::string name;
    int frames = 0;
    double seconds = 0;
  };

  const CDemo& demo_;
  std::vector<PartTotals> totals_;  // indexed like demo_.parts
  int frames_ = 0;
  double seconds_ = 0;
};

// --bench: plays the timeline from its start at a step of 1 / `fps`, as fast as the
// renderer can, and reports each part's rate on `out`.
void RunBench(CaptureSession& session, double fps, std::ostream& out);
