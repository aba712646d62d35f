#include "capture_session.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "png_file.h"

CaptureSession::CaptureSession(uint32_t width, uint32_t height, bool mute,
                               const TimelineScript& script, bool present) {
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
  demo_->context()->SetPresentsToWindow(present);
  windows_ = demo_->timeline().windows();
}

CaptureSession::~CaptureSession() {
  demo_.reset();
  SDL_DestroyWindow(window_);
  SDL_Quit();
}

bool CaptureSession::DrawFrameAt(double seconds, bool drawsPixels) {
  demo_->timer().SeekTo(seconds);
  demo_->context()->SetDrawsPixels(drawsPixels);
  const bool goesOn = demo_->DrawFrame();
  demo_->context()->SetDrawsPixels(true);
  return goesOn;
}

bool CaptureSession::ReadFrame(std::vector<uint32_t>& pixels, uint32_t& width,
                               uint32_t& height) const {
  DWORD targetWidth = 0;
  DWORD targetHeight = 0;
  if (FAILED(demo_->context()->ReadRenderTarget(pixels, &targetWidth, &targetHeight))) {
    return false;
  }
  width = targetWidth;
  height = targetHeight;
  return true;
}

bool CaptureSession::SaveFrame(const std::string& path, std::string* cause) const {
  std::vector<uint32_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  if (!ReadFrame(pixels, width, height)) {
    if (cause != nullptr) *cause = "the frame could not be read back";
    return false;
  }
  return WritePngFile(path, pixels, width, height, cause);
}

std::vector<std::string> CaptureSession::PartsOnScreen() const {
  std::vector<std::string> names;
  for (const TimelineEntry& entry : demo_->timeline().active()) names.push_back(entry.name);
  return names;
}

double CaptureSession::TimelineEnd() const {
  float end = 0.0f;
  for (const PartWindow& window : windows_) end = std::max(end, window.end);
  return end;
}
