// lantern-capture: renders chosen moments of the demo to PNG, or benchmarks every part,
// with no dialog and no window, on a virtual clock.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/log.h"
#include "platform/memory_status.h"
#include "capture_options.h"
#include "capture_session.h"
#include "demo/demo_error.h"
#include "demo/timeline_script.h"
#include "part_bench.h"
#include "scene_timeline.h"

namespace {

constexpr int kFatalExit = -1;

std::string FrameFileName(const std::string& directory, double seconds) {
  char name[64];
  std::snprintf(name, sizeof name, "lantern-%07.3f.png", seconds);
  return (std::filesystem::path(directory) / name).string();
}

int RenderMoments(CaptureSession& session, const CaptureOptions& options) {
  std::error_code error;
  std::filesystem::create_directories(options.outputDirectory, error);
  for (const double seconds : options.times) {
    session.PlayUpTo(seconds, 1.0 / options.fps);
    session.DrawFrameAt(seconds);
    const std::string path = FrameFileName(options.outputDirectory, seconds);
    if (!session.SaveFrame(path)) {
      std::cerr << "lantern-capture: cannot write " << path << "\n";
      return kFatalExit;
    }
    std::cout << path << "\n";
  }
  return 0;
}

// Plays the timeline from its start at a step of 1/fps, as fast as the renderer can.
void Benchmark(CaptureSession& session, const CaptureOptions& options) {
  PartBench bench(session.demo());
  using Clock = std::chrono::steady_clock;
  for (long frame = 1;; ++frame) {
    const Clock::time_point start = Clock::now();
    const bool more = session.DrawFrameAt(static_cast<double>(frame) / options.fps);
    bench.AddFrame(std::chrono::duration<double>(Clock::now() - start).count());
    if (!more) break;
  }
  bench.Report(std::cout);
}

}  // namespace

int main(int argc, char** argv) {
  std::string problem;
  const std::optional<CaptureOptions> options = ParseCaptureOptions(argc, argv, problem);
  if (!options) {
    std::cerr << "lantern-capture: " << problem << "\n" << kCaptureUsage;
    return 2;
  }
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
    CaptureSession session(options->width, options->height, options->mute, script);
    if (options->bench) {
      Benchmark(session, *options);
    } else {
      exitCode = RenderMoments(session, *options);
    }
  } catch (const demoError& error) {
    g_log << "Exception: " << error.message() << "\n";
    std::cerr << "lantern-capture: " << error.message() << "\n";
    exitCode = kFatalExit;
  } catch (const std::runtime_error& error) {
    std::cerr << "lantern-capture: " << error.what() << "\n";
    exitCode = kFatalExit;
  }
  g_log.close();
  return exitCode;
}
