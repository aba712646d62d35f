#pragma once
// A window for tests that need OpenGL. It is never shown; under the offscreen video driver
// that the test main selects, its OpenGL contexts run on Mesa's software rasteriser.
#include <cstdint>

#include <SDL2/SDL.h>

class GlTestWindow {
 public:
  // Starts SDL's video subsystem if nothing has yet, and creates the window with
  // SDL_WINDOW_HIDDEN added to `flags`. Check valid() before use.
  GlTestWindow(int width, int height, uint32_t flags = SDL_WINDOW_OPENGL);
  ~GlTestWindow();
  GlTestWindow(const GlTestWindow&) = delete;
  GlTestWindow& operator=(const GlTestWindow&) = delete;

  SDL_Window* get() const { return window_; }
  // False when SDL or the window could not be created; SDL_GetError() says why.
  bool valid() const { return window_ != nullptr; }

 private:
  SDL_Window* window_ = nullptr;
};
