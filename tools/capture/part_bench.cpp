#include "part_bench.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iomanip>

#include "demo/letterbox.h"
#include "demo/part.h"
#include "fill_rate_probe.h"
#include "frame_statistics.h"

PartBench::PartBench(const CDemo& demo, uint64_t bandPixels)
    : demo_(demo), bandPixels_(bandPixels), parts_(demo.timeline().parts().size()) {
  for (size_t index = 0; index < parts_.size(); ++index) {
    parts_[index].name = demo.timeline().parts()[index]->name;
  }
  total_.name = "total";
}

void PartBench::AddFrame(uint64_t frame, double seconds) {
  if (partsOfFrame_.size() <= frame) partsOfFrame_.resize(frame + 1);
  total_.frameSeconds.push_back(seconds);
  const std::vector<std::unique_ptr<CPart>>& parts = demo_.timeline().parts();
  for (const TimelineEntry& entry : demo_.timeline().active()) {
    const auto found = std::find_if(parts.begin(), parts.end(), [&entry](const auto& part) {
      return part.get() == entry.part;
    });
    if (found == parts.end()) continue;
    const auto index = static_cast<size_t>(found - parts.begin());
    parts_[index].frameSeconds.push_back(seconds);
    partsOfFrame_[frame].push_back(index);
  }
}

void PartBench::AddFragments(uint64_t frame, uint64_t fragments) {
  if (frame >= partsOfFrame_.size()) return;
  total_.fragments += fragments;
  ++total_.countedFrames;
  for (const size_t index : partsOfFrame_[frame]) {
    parts_[index].fragments += fragments;
    ++parts_[index].countedFrames;
  }
}

void PartBench::ReportLine(std::ostream& out, const Figures& figures) const {
  double seconds = 0;
  for (const double frameSeconds : figures.frameSeconds) seconds += frameSeconds;
  const double frames = static_cast<double>(figures.frameSeconds.size());
  const double overdraw =
      figures.countedFrames > 0 && bandPixels_ > 0
          ? static_cast<double>(figures.fragments) /
                (static_cast<double>(figures.countedFrames) * static_cast<double>(bandPixels_))
          : 0.0;
  out << std::left << std::setw(12) << figures.name << std::right << std::setw(7)
      << figures.frameSeconds.size() << " frames" << std::setw(8)
      << (seconds > 0 ? frames / seconds : 0.0) << " fps" << std::setw(7)
      << Median(figures.frameSeconds) * 1000 << " ms median" << std::setw(7)
      << Percentile(figures.frameSeconds, 95) * 1000 << " ms 95%" << std::setw(7)
      << std::setprecision(2) << overdraw << " overdraw\n"
      << std::setprecision(1);
}

void PartBench::Report(std::ostream& out) const {
  out << std::fixed << std::setprecision(1);
  for (size_t index = 0; index < parts_.size(); ++index) {
    if (parts_[index].frameSeconds.empty()) continue;
    out << std::setw(3) << index << "  ";
    ReportLine(out, parts_[index]);
  }
  out << "     ";
  ReportLine(out, total_);
}

void RunBench(CaptureSession& session, double fps, double from, double to, std::ostream& out) {
  const CDemo& demo = session.demo();
  const D3DVIEWPORT7 band = LetterboxBand(demo.width(), demo.height());
  out << ProbeFillRate(demo.context(), demo.device(), band) << "\n";

  PartBench bench(demo, uint64_t{band.dwWidth} * band.dwHeight);
  const std::unique_ptr<FragmentCounter> counter = demo.context()->CreateFragmentCounter();
  const FragmentCounter::Report addFragments = [&bench](uint64_t frame, uint64_t fragments) {
    bench.AddFragments(frame, fragments);
  };
  using Stopwatch = std::chrono::steady_clock;
  // Frames lie on the 1 / fps grid from demo time 0, the first at or after `from`.
  for (auto step = std::max(1L, std::lround(std::ceil(from * fps)));; ++step) {
    const double seconds = static_cast<double>(step) / fps;
    if (seconds >= to) break;
    const Stopwatch::time_point start = Stopwatch::now();
    counter->Begin(addFragments);
    const bool more = session.DrawFrameAt(seconds);
    const uint64_t frame = counter->End();
    bench.AddFrame(frame, std::chrono::duration<double>(Stopwatch::now() - start).count());
    counter->Collect(addFragments, /*wait=*/false);
    if (!more) break;
  }
  counter->Collect(addFragments, /*wait=*/true);
  bench.Report(out);
}
