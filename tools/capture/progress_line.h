#pragma once
// The progress of a long capture on standard error: frame count, demo time, capture frames
// per second and the time left. On a terminal the line is redrawn in place a few times a
// second; elsewhere (a log, a pipe) a line is printed every few seconds.
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

// "frame 120/300  demo 54.000 s  31.2 fps  0:06 left", after `elapsed` wall seconds.
std::string FormatProgress(int64_t done, int64_t total, double demoSeconds, double elapsed);

class ProgressLine {
 public:
  // Wall-clock seconds from some fixed moment.
  using WallClock = std::function<double()>;
  static double SteadySeconds();

  ProgressLine(std::ostream& out, bool terminal, int64_t total, WallClock now = SteadySeconds);

  // `done` of the total frames are captured, the last at `demoSeconds`.
  void Update(int64_t done, double demoSeconds);
  // Ends the line that is redrawn in place, so that what follows starts on its own line.
  void Finish();
  // Wall seconds since construction.
  double Elapsed() const { return now_() - start_; }

 private:
  std::ostream& out_;
  bool terminal_;
  int64_t total_;
  WallClock now_;
  double start_;
  double lastShown_;
  bool shown_ = false;
};
