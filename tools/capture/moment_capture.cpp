#include "moment_capture.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "exit_status.h"
#include "interruption.h"

namespace {

std::string FrameFileName(const std::string& directory, double seconds) {
  char name[64];
  std::snprintf(name, sizeof name, "lantern-%07.3f.png", seconds);
  return (std::filesystem::path(directory) / name).string();
}

}  // namespace

bool PlayPlannedFrames(CaptureSession& session, const std::vector<PlannedFrame>& frames,
                       const std::function<bool(const PlannedFrame&)>& keep) {
  for (const PlannedFrame& frame : frames) {
    if (Interrupted()) return false;
    session.DrawFrameAt(frame.time, /*drawsPixels=*/!frame.moments.empty());
    if (!frame.moments.empty() && !keep(frame)) return false;
  }
  return true;
}

int ReportInterruption(const std::string& unwritten) {
  std::cerr << "lantern-capture: interrupted; " << unwritten << " not written\n";
  return InterruptedExitStatus();
}

int CaptureMoments(CaptureSession& session, const CaptureOptions& options) {
  CatchInterruptions();
  const std::vector<PlannedFrame> frames =
      PlanMoments(options.times, options.fps, options.play, session.windows());
  std::string failed, cause;
  const bool complete = PlayPlannedFrames(session, frames, [&](const PlannedFrame& frame) {
    for (const size_t moment : frame.moments) {
      const std::string path = FrameFileName(options.outputDirectory, options.times[moment]);
      if (!session.SaveFrame(path, &cause)) {
        failed = path;
        return false;
      }
      std::cout << path << "\n";
    }
    return true;
  });
  if (!failed.empty()) {
    std::cerr << "lantern-capture: --out: cannot write " << failed << ": " << cause << "\n";
    return kFailureExit;
  }
  return complete ? 0 : ReportInterruption("the remaining moments were");
}
