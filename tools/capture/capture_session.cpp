#include "capture_session.h"

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
}

CaptureSession::~CaptureSession() {
  demo_.reset();
  SDL_DestroyWindow(window_);
  SDL_Quit();
}

bool CaptureSession::DrawFrameAt(double seconds) {
  const double ticks = std::llround(seconds * static_cast<double>(demo_->timer.frequency));
  clock_.SetTicks(demo_->timer.start + static_cast<uint64_t>(ticks));
  return demo_->DrawFrame();
}

bool CaptureSession::SaveFrame(const std::string& path) const {
  std::vector<uint32_t> pixels;
  DWORD width = 0;
  DWORD height = 0;
  if (FAILED(ReadRenderTarget(demo_->context, pixels, &width, &height))) return false;
  return WritePngFile(path, pixels, width, height);
}
