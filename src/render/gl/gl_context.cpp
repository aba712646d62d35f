#include "render/gl/gl_context.h"

#include "base/loaded_libraries.h"
#include "render/gl/gl_features.h"

namespace {

constexpr int kRequiredMajor = 3;
constexpr int kRequiredMinor = 3;

}  // namespace

HRESULT GlContext::Create(SDL_Window* window, std::unique_ptr<GlContext>* out) {
  if ((SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) == 0) return D3DXERR_INITFAILED;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, kRequiredMajor);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, kRequiredMinor);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) return D3DXERR_NODIRECT3DDEVICEAVAILABLE;
  // The driver is loaded now; it stays so (see KeepLoadedLibrariesUntilExit).
  KeepLoadedLibrariesUntilExit();
  // SDL makes the new context current. It is owned from here on, so that a failure below
  // deletes it.
  std::unique_ptr<GlContext> created(new GlContext(window, context));
  if (!GlVersionAtLeast(kRequiredMajor, kRequiredMinor)) {
    return D3DXERR_NODIRECT3DDEVICEAVAILABLE;
  }
  // Adaptive sync lets a late frame tear instead of waiting a whole refresh.
  if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
  *out = std::move(created);
  return S_OK;
}

GlContext::~GlContext() { SDL_GL_DeleteContext(context_); }

void GlContext::MakeCurrent() const { SDL_GL_MakeCurrent(window_, context_); }
