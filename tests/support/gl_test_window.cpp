#include "support/gl_test_window.h"

#include "base/loaded_libraries.h"

GlTestWindow::GlTestWindow(int width, int height, uint32_t flags) {
  // The subsystem stays up between tests: starting it loads the OpenGL driver.
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
  window_ = SDL_CreateWindow("test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                             height, flags | SDL_WINDOW_HIDDEN);
  // Some tests make no context: the driver must stay loaded for them too.
  KeepLoadedLibrariesUntilExit();
}

GlTestWindow::~GlTestWindow() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}
