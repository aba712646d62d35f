#pragma once
// Frame rates per part, measured in wall-clock time, and the fragments each frame shaded.
// A frame's duration and its fragment count are counted for every part drawn in it, so
// parts that share frames (a scene and the overlay over it) share those frames' figures.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "capture_session.h"
#include "demo/demo.h"

class PartBench {
 public:
  // `bandPixels`: the pixels of the letterbox band, the unit of overdraw.
  PartBench(const CDemo& demo, uint64_t bandPixels);

  // Counts frame number `frame` (0, 1, 2, ... in order), of `seconds`, for every part now
  // active in the demo.
  void AddFrame(uint64_t frame, double seconds);
  // Adds the fragments frame number `frame` shaded to the parts that were drawn in it.
  void AddFragments(uint64_t frame, uint64_t fragments);
  // One line per part that was drawn, in script order, and a total: frames, rate, median
  // and 95th-percentile frame time, and overdraw (fragments per frame over band pixels).
  void Report(std::ostream& out) const;

 private:
  struct Figures {
    std::string name;
    std::vector<double> frameSeconds;
    uint64_t fragments = 0;
    uint64_t countedFrames = 0;  // frames whose fragments have arrived
  };

  void ReportLine(std::ostream& out, const Figures& figures) const;

  const CDemo& demo_;
  uint64_t bandPixels_;
  std::vector<Figures> parts_;  // indexed like demo_.timeline().parts()
  Figures total_;
  std::vector<std::vector<size_t>> partsOfFrame_;  // by frame number
};

// --bench: plays the timeline at a step of 1 / `fps` from demo time `from` up to `to`
// (before its end), as fast as the renderer can, after a fill-rate probe, and reports each
// part's figures on `out`.
void RunBench(CaptureSession& session, double fps, double from, double to, std::ostream& out);
