#include "capture_session.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "png_file.h"
#include "render/d3dx/render_target_readback.h"

CaptureSession::CaptureSession(uint32_t width, uint32_t height, bool mute,
                               const TimelineScript& script) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) throw std::runtime_error(SDL_GetError());
  window_ = SDL_CreateWindow("lantern-capture", 0, 0, static_cast<int>(width),
                             static_cast<int>(height), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    const std::string reason = SDL_GetError();
    SDL_Quit();
    throw std::runtime_error(reason);
  }
  try {
    // Full screen: the demo renders at exactly the chosen size, whatever the window's.
    demo_ = std::make_unique<CDemo>(window_, /*fullscreen=*/true, width, height, 32, 0, mute,
                                    clock_, script);
  } catch (...) {
    SDL_DestroyWindow(window_);
    SDL_Quit();
    throw;
  }
  for (const TimelineEntry& entry : demo_->pending) windows_.emplace_back(entry.start, entry.end);
}

CaptureSession::~CaptureSession() {
  demo_.reset();
  SDL_DestroyWindow(window_);
  SDL_Quit();
}

bool CaptureSession::DrawFrameAt(double seconds) {
  const double ticks = std::llround(seconds * static_cast<double>(demo_->timer.frequency));
  clock_.SetTicks(demo_->timer.start + static_cast<uint64_t>(ticks));
  lastDrawn_ = seconds;
  return demo_->DrawFrame();
}

void CaptureSession::PlayUpTo(double seconds, double step) {
  double from = seconds;
  for (const auto& [start, end] : windows_) {
    if (start < seconds && seconds <= end) from = std::min(from, static_cast<double>(start));
  }
  from = std::max(from, lastDrawn_);
  // A frame a hair before `seconds` (where it is a multiple of the step) would repeat it.
  const double last = seconds - step * 1e-6;
  for (double frame = std::floor(from / step) + 1; frame * step < last; ++frame) {
    DrawFrameAt(frame * step);
  }
}

bool CaptureSession::SaveFrame(const std::string& path) const {
  std::vector<uint32_t> pixels;
  DWORD width = 0;
  DWORD height = 0;
  if (FAILED(ReadRenderTarget(demo_->context, pixels, &width, &height))) return false;
  return WritePngFile(path, pixels, width, height);
}
