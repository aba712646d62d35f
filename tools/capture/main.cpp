// lantern-capture: renders chosen moments of the demo to PNG, records it to video with its
// soundtrack, tiles a contact sheet of it, or benchmarks every part, with no dialog and no
// window, on a virtual clock.
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <limits>

#include "base/demo_error.h"
#include "base/log.h"
#include "base/memory_status.h"
#include "base/version.h"
#include "capture_options.h"
#include "capture_session.h"
#include "exit_status.h"
#include "moment_capture.h"
#include "output_paths.h"
#include "part_bench.h"
#include "scene_timeline.h"
#include "sheet_capture.h"
#include "show/timeline_script.h"
#include "study_bench.h"
#include "video_capture.h"

namespace {

constexpr double kNoEnd = std::numeric_limits<double>::infinity();

int Capture(CaptureSession& session, const CaptureOptions& options) {
  switch (options.mode) {
    case CaptureMode::kMoments:
      return CaptureMoments(session, options);
    case CaptureMode::kVideo:
      return CaptureVideo(session, options);
    case CaptureMode::kSheet:
      return CaptureSheet(session, options);
    case CaptureMode::kBench:
      RunBench(session, options.fps, options.from, options.to.value_or(kNoEnd), std::cout);
      return 0;
    case CaptureMode::kStudyBench:
      RunStudyBench(session, std::cout);
      return 0;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string problem;
  const std::optional<CaptureOptions> options = ParseCaptureOptions(argc, argv, problem);
  if (!options) {
    std::cerr << "lantern-capture: " << problem << "\n" << kCaptureUsage;
    return kUsageExit;
  }
  if (options->help) {
    std::cout << kCaptureUsage;
    return 0;
  }
  if (options->version) {
    std::cout << "lantern-capture " << LanternVersion() << "\n";
    return 0;
  }
  if (const std::optional<std::string> unwritable = OutputProblem(*options)) {
    std::cerr << "lantern-capture: " << *unwritable << "\n";
    return kFailureExit;
  }
  // Past a file-size limit a write then fails with "File too large", which the capture
  // reports and cleans up after, instead of the process being killed mid-file.
  std::signal(SIGXFSZ, SIG_IGN);
  // Capturing is never heard: the music, when not muted, plays into SDL's silent driver.
  setenv("SDL_AUDIODRIVER", "dummy", 0);

  if (options->log && OpenLog("log.txt")) {
    WriteLogHeader(g_log, {"OpenGL", options->width, options->height, 32, true},
                   ReadMemoryStatus());
  }
  int exitCode = 0;
  try {
    const TimelineScript script =
        options->scene.empty() ? TimelineScript(BuildTimeline) : SceneOnlyTimeline(options->scene);
    CaptureSession session(options->width, options->height, options->mute, script,
                           /*present=*/options->mode == CaptureMode::kBench ||
                               options->mode == CaptureMode::kStudyBench);
    exitCode = Capture(session, *options);
  } catch (const demoError& error) {
    g_log << "Exception: " << error.message() << "\n";
    std::cerr << "lantern-capture: " << error.message() << "\n";
    exitCode = kFailureExit;
  } catch (const std::runtime_error& error) {
    std::cerr << "lantern-capture: " << error.what() << "\n";
    exitCode = kFailureExit;
  }
  g_log.close();
  return exitCode;
}
