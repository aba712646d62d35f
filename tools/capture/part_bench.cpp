#include "part_bench.h"

#include <algorithm>
#include <iomanip>

#include "demo/part.h"

PartBench::PartBench(const CDemo& demo) : demo_(demo), totals_(demo.parts.size()) {
  for (size_t index = 0; index < demo.parts.size(); ++index) {
    totals_[index].name = demo.parts[index]->name;
  }
}

void PartBench::AddFrame(double seconds) {
  ++frames_;
  seconds_ += seconds;
  for (const TimelineEntry& entry : demo_.active) {
    const auto found = std::find(demo_.parts.begin(), demo_.parts.end(), entry.part);
    if (found == demo_.parts.end()) continue;
    PartTotals& totals = totals_[static_cast<size_t>(found - demo_.parts.begin())];
    ++totals.frames;
    totals.seconds += seconds;
  }
}

void PartBench::Report(std::ostream& out) const {
  const auto rate = [](int frames, double seconds) {
    return seconds > 0 ? frames / seconds : 0.0;
  };
  out << std::fixed << std::setprecision(1);
  for (size_t index = 0; index < totals_.size(); ++index) {
    const PartTotals& totals = totals_[index];
    if (totals.frames == 0) continue;
    out << std::setw(3) << index << "  " << std::left << std::setw(12) << totals.name
        << std::right << std::setw(7) << totals.frames << " frames  " << std::setw(8)
        << rate(totals.frames, totals.seconds) << " fps\n";
  }
  out << "total: " << frames_ << " frames in " << std::setprecision(2) << seconds_ << " s, "
      << std::setprecision(1) << rate(frames_, seconds_) << " fps\n";
}

void RunBench(CaptureSession& session, double fps, std::ostream& out) {
  PartBench bench(session.demo());
  using Stopwatch = std::chrono::steady_clock;
  for (long frame = 1;; ++frame) {
    const Stopwatch::time_point start = Stopwatch::now();
    const bool more = session.DrawFrameAt(static_cast<double>(frame) / fps);
    bench.AddFrame(std::chrono::duration<double>(Stopwatch::now() - start).count());
    if (!more) break;
  }
  bench.Report(out);
}
