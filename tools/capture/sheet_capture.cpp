#include "sheet_capture.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "capture_range.h"
#include "frame_sheet.h"
#include "exit_status.h"
#include "interruption.h"
#include "moment_capture.h"
#include "progress_line.h"
#include "png_file.h"

namespace {

// "57.000 s" and "binary, title, fade".
std::vector<std::string> Label(double seconds, const std::vector<std::string>& parts) {
  char time[32];
  std::snprintf(time, sizeof time, "%.3f s", seconds);
  std::string names;
  for (const std::string& part : parts) names += (names.empty() ? "" : ", ") + part;
  return {time, names.empty() ? "no part" : names};
}

}  // namespace

int CaptureSheet(CaptureSession& session, const CaptureOptions& options) {
  CatchInterruptions();
  const double end = RangeEnd(options, session);
  std::vector<double> times;
  for (int64_t k = 0;; ++k) {
    const double seconds = options.from + static_cast<double>(k) * options.sheetEvery;
    if (seconds >= end) break;
    times.push_back(seconds);
  }
  const std::vector<PlannedFrame> frames =
      PlanMoments(times, options.fps, options.play, session.windows());

  FrameSheet sheet;
  ProgressLine progress(std::cerr, isatty(STDERR_FILENO) != 0,
                        static_cast<int64_t>(times.size()));
  bool readable = true;
  const bool complete = PlayPlannedFrames(session, frames, [&](const PlannedFrame& frame) {
    ArgbImage picture;
    uint32_t width = 0, height = 0;
    readable = session.ReadFrame(picture.pixels, width, height);
    picture.width = width;
    picture.height = height;
    if (readable) sheet.Add(picture, Label(frame.time, session.PartsOnScreen()));
    progress.Update(static_cast<int64_t>(sheet.size()), frame.time);
    return readable;
  });
  progress.Finish();
  if (!readable) throw std::runtime_error("the frames cannot be read back");
  if (!complete) return ReportInterruption(options.sheetPath + " was");
  const ArgbImage composed = sheet.Compose();
  std::string cause;
  if (!WritePngFile(options.sheetPath, composed.pixels, composed.width, composed.height, &cause)) {
    std::cerr << "lantern-capture: --sheet: cannot write " << options.sheetPath << ": " << cause
              << "\n";
    return kFailureExit;
  }
  std::cout << options.sheetPath << "\n";
  return 0;
}
