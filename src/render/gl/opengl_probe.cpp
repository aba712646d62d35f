#include "render/gl/opengl_probe.h"

#include <memory>

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include "base/loaded_libraries.h"
#include "render/gl/gl_context.h"

namespace {

std::optional<ProbedRenderer> AskContextOn(SDL_Window* window) {
  std::unique_ptr<GlContext> context;
  if (FAILED(GlContext::Create(window, &context))) return std::nullopt;
  const GLubyte* renderer = glGetString(GL_RENDERER);
  return ProbedRenderer{renderer != nullptr ? reinterpret_cast<const char*>(renderer) : "",
                        QueryGlFeatures()};
}

}  // namespace

std::optional<ProbedRenderer> ProbeOpenGlRenderer() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return std::nullopt;
  SDL_Window* const previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext const previousContext = SDL_GL_GetCurrentContext();

  std::optional<ProbedRenderer> probed;
  if (SDL_Window* window = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1,
                                            1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)) {
    KeepLoadedLibrariesUntilExit();
    probed = AskContextOn(window);
    SDL_DestroyWindow(window);
  }

  if (previousContext != nullptr) SDL_GL_MakeCurrent(previousWindow, previousContext);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return probed;
}
