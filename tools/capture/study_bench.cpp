#include "study_bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/study_mode.h"
#include "app/study_overlay.h"

namespace {

using WallClock = std::chrono::steady_clock;

// Frames played to time the overlay, from a stretch with a scene, an effect and text.
constexpr int kOverlayFrames = 240;
constexpr double kOverlayFrom = 95.0;

double MillisecondsSince(WallClock::time_point start) {
  return std::chrono::duration<double, std::milli>(WallClock::now() - start).count();
}

// Milliseconds per frame for kOverlayFrames frames on the 60 fps step, each read back so
// that the renderer has finished it.
double PlayStretch(CaptureSession& session) {
  std::vector<uint32_t> pixels;
  uint32_t width = 0, height = 0;
  const WallClock::time_point start = WallClock::now();
  for (int frame = 0; frame < kOverlayFrames; ++frame) {
    session.DrawFrameAt(kOverlayFrom + frame / StudyMode::kFramesPerSecond);
    session.ReadFrame(pixels, width, height);
  }
  return MillisecondsSince(start) / kOverlayFrames;
}

}  // namespace

void RunStudyBench(CaptureSession& session, std::ostream& out) {
  CDemo& demo = session.demo();
  StudyMode study(demo);
  study.TogglePause();
  std::vector<uint32_t> pixels;
  uint32_t width = 0, height = 0;

  double worst = 0, worstAt = 0;
  for (const TimelineEntry& row : demo.timeline().schedule()) {
    const double target = std::min<double>(row.end, study.End());
    const WallClock::time_point start = WallClock::now();
    study.SeekTo(target);
    study.Frame();
    session.ReadFrame(pixels, width, height);
    const double milliseconds = MillisecondsSince(start);
    char line[96];
    std::snprintf(line, sizeof line, "seek to %8.3f  %-10s %8.1f ms\n", target, row.name.c_str(),
                  milliseconds);
    out << line;
    if (milliseconds > worst) {
      worst = milliseconds;
      worstAt = target;
    }
  }
  char summary[160];
  std::snprintf(summary, sizeof summary, "worst seek: %.1f ms, to %.3f s, at %ux%u\n", worst,
                worstAt, width, height);
  out << summary;

  StudyOverlay overlay(session.window(), study);
  demo.context()->SetWindowOverlay([&overlay] { overlay.Draw(); });
  overlay.ToggleShown();
  const double hidden = PlayStretch(session);
  overlay.ToggleShown();
  const double shown = PlayStretch(session);
  demo.context()->SetWindowOverlay({});
  std::snprintf(summary, sizeof summary,
                "overlay: %.2f ms a frame hidden, %.2f ms shown: %+.2f ms a frame\n", hidden, shown,
                shown - hidden);
  out << summary;
}
