#include "progress_line.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

// Seconds between redraws on a terminal, and between lines elsewhere.
constexpr double kTerminalInterval = 0.2;
constexpr double kLogInterval = 5.0;

std::string Clock(double seconds) {
  const auto whole = static_cast<long>(std::lround(std::max(seconds, 0.0)));
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

}  // namespace

std::string FormatProgress(int64_t done, int64_t total, double demoSeconds, double elapsed) {
  const double rate = elapsed > 0 ? static_cast<double>(done) / elapsed : 0.0;
  const std::string left =
      rate > 0 ? Clock(static_cast<double>(total - done) / rate) + " left" : "-:-- left";
  char text[128];
  std::snprintf(text, sizeof text, "frame %lld/%lld  demo %.3f s  %.1f fps  %s",
                static_cast<long long>(done), static_cast<long long>(total), demoSeconds, rate,
                left.c_str());
  return text;
}

double ProgressLine::SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

ProgressLine::ProgressLine(std::ostream& out, bool terminal, int64_t total, WallClock now)
    : out_(out), terminal_(terminal), total_(total), now_(std::move(now)), start_(now_()),
      lastShown_(start_) {}

void ProgressLine::Update(int64_t done, double demoSeconds) {
  const double now = now_();
  const bool last = done == total_;
  if (now - lastShown_ < (terminal_ ? kTerminalInterval : kLogInterval) && !(terminal_ && last)) {
    return;
  }
  lastShown_ = now;
  const std::string line = FormatProgress(done, total_, demoSeconds, now - start_);
  if (terminal_) {
    // Back to the line's start, the new text, and the rest of the old one cleared.
    out_ << '\r' << line << "\x1b[K" << std::flush;
    shown_ = true;
  } else {
    out_ << line << '\n' << std::flush;
  }
}

void ProgressLine::Finish() {
  if (shown_) out_ << '\n';
  shown_ = false;
}
