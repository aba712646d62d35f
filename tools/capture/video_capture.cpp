#include "video_capture.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>

#include "capture_range.h"
#include "encoding_thread.h"
#include "exit_status.h"
#include "interruption.h"
#include "moment_capture.h"
#include "progress_line.h"

namespace {

// Wall seconds spent in each stage on the rendering thread. Drawing only issues a frame's
// work; a renderer that runs behind (a GPU, or the software rasteriser's threads) finishes
// it while the frame is read back, so that stage holds the rest of the rendering.
struct StageTimes {
  double warmUp = 0;
  double drawing = 0;
  double readBack = 0;
};

template <typename Work>
void Timed(double& total, Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs `work`, naming the video in any failure it reports.
template <typename Work>
void ForVideo(const CaptureOptions& options, Work&& work) {
  try {
    work();
  } catch (const std::runtime_error& error) {
    throw std::runtime_error("--video " + options.videoPath + ": " + error.what());
  }
}

std::unique_ptr<EncodingThread> StartEncoding(CaptureSession& session,
                                              const CaptureOptions& options, double start) {
  const VideoSettings settings{options.videoFormat, options.width, options.height, options.fps,
                               options.mute ? 0 : kSoundtrackRate};
  std::unique_ptr<SoundtrackSamples> soundtrack;
  if (!options.mute) {
    soundtrack = std::make_unique<SoundtrackSamples>(session.demo().audioBuffer(),
                                                     SoundtrackSampleAt(start));
  }
  return std::make_unique<EncodingThread>(
      std::make_unique<VideoEncoder>(options.videoPath, settings), std::move(soundtrack));
}

void Summarise(const CaptureOptions& options, const FrameGrid& grid, int64_t frames,
               double wall, const StageTimes& stages, const EncodingThread& encoding) {
  char text[512];
  std::snprintf(text, sizeof text,
                "lantern-capture: %lld frames, %.3f s to %.3f s at %g fps, in %.1f s (%.1f fps):"
                " warm-up %.1f s, drawing %.1f s, finishing and reading back %.1f s; encoding"
                " %.1f s on its own thread, waited for %.1f s\n",
                static_cast<long long>(frames), grid.Time(0), grid.Time(frames), options.fps,
                wall, wall > 0 ? static_cast<double>(frames) / wall : 0.0, stages.warmUp,
                stages.drawing, stages.readBack, encoding.encodingSeconds(),
                encoding.waitingSeconds());
  std::cerr << text;
}

}  // namespace

int CaptureVideo(CaptureSession& session, const CaptureOptions& options) {
  CatchInterruptions();
  const auto began = std::chrono::steady_clock::now();
  const FrameGrid grid{options.from, options.fps};
  const int64_t frameCount = grid.FramesBefore(RangeEnd(options, session));
  const int64_t audioStart = SoundtrackSampleAt(grid.Time(0));
  std::unique_ptr<EncodingThread> encoding;
  ForVideo(options, [&] { encoding = StartEncoding(session, options, grid.Time(0)); });
  const std::unique_ptr<FrameReadback> readback = session.demo().context()->CreateFrameReadback();
  StageTimes stages;

  // The frames before the first, which no one keeps, bring the parts on screen to where a
  // viewer of the whole demo would see them. The progress counts them too.
  const int64_t firstPlayed = FirstFrameToPlay(grid, 0, options.play, session.windows());
  if (firstPlayed < 0) {
    std::fprintf(stderr, "lantern-capture: playing %lld frames from %.3f s first, not kept\n",
                 static_cast<long long>(-firstPlayed), grid.Time(firstPlayed));
  }
  ProgressLine progress(std::cerr, isatty(STDERR_FILENO) != 0, frameCount - firstPlayed);
  Timed(stages.warmUp, [&] {
    for (int64_t n = firstPlayed; n < 0 && !Interrupted(); ++n) {
      session.DrawFrameAt(grid.Time(n));
      progress.Update(n - firstPlayed + 1, grid.Time(n));
    }
  });

  int64_t handedOver = 0;
  const auto handOver = [&] {
    EncodedFrame frame{encoding->SpareBuffer(),
                       SoundtrackSampleAt(grid.Time(handedOver + 1)) - audioStart};
    Timed(stages.readBack, [&] { readback->TakeOldest(frame.bottomUpBgrx); });
    ForVideo(options, [&] { encoding->Push(std::move(frame)); });
    ++handedOver;
  };
  for (int64_t n = 0; n < frameCount && !Interrupted(); ++n) {
    Timed(stages.drawing, [&] { session.DrawFrameAt(grid.Time(n)); });
    if (readback->Full()) handOver();
    Timed(stages.readBack, [&] { readback->Request(); });
    progress.Update(n - firstPlayed + 1, grid.Time(n));
  }
  progress.Finish();
  if (Interrupted()) return ReportInterruption(options.videoPath + " was");
  while (!readback->Empty()) handOver();
  ForVideo(options, [&] { encoding->Finish(); });

  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  Summarise(options, grid, frameCount, wall, stages, *encoding);
  std::cout << options.videoPath << "\n";
  return 0;
}
