#pragma once
// The OpenGL 3.3 core context that stands behind every object of the 3D layer.
#include <memory>

#include <SDL2/SDL.h>

#include "render/d3d/result.h"

class GlContext {
 public:
  // Creates the context on `window` (made with SDL_WINDOW_OPENGL), makes it current and
  // asks for adaptive vertical sync, falling back to plain vsync, then to none.
  // D3DXERR_INITFAILED when the window is not an OpenGL window,
  // D3DXERR_NODIRECT3DDEVICEAVAILABLE when no OpenGL 3.3 core context can be had.
  static HRESULT Create(SDL_Window* window, std::unique_ptr<GlContext>* out);
  ~GlContext();
  GlContext(const GlContext&) = delete;
  GlContext& operator=(const GlContext&) = delete;

  void MakeCurrent() const;
  SDL_Window* window() const { return window_; }

 private:
  GlContext(SDL_Window* window, SDL_GLContext context) : window_(window), context_(context) {}

  SDL_Window* window_;
  SDL_GLContext context_;
};
