// The stretched copy from the back buffer into a texture.
#include "render/gl/gl_back_buffer_surface.h"
#include "render/gl/gl_saved_state.h"
#include "render/gl/gl_texture_surface.h"
#include "render/state/surface_rect.h"

namespace {

// A framebuffer object that exists for one copy.
class ScratchFramebuffer {
 public:
  ScratchFramebuffer() { glGenFramebuffers(1, &name_); }
  ~ScratchFramebuffer() { glDeleteFramebuffers(1, &name_); }
  ScratchFramebuffer(const ScratchFramebuffer&) = delete;
  ScratchFramebuffer& operator=(const ScratchFramebuffer&) = delete;

  GLuint name() const { return name_; }

 private:
  GLuint name_ = 0;
};

}  // namespace

HRESULT GlTextureSurface::Blt(const RECT* destRect, IDirectDrawSurface7* source,
                              const RECT* sourceRect, DWORD, void*) {
  if (source == nullptr) return DDERR_INVALIDPARAMS;
  const auto* backBuffer = dynamic_cast<const GlBackBufferSurface*>(source);
  if (backBuffer == nullptr) return DDERR_UNSUPPORTED;
  const GlRenderTarget& target = backBuffer->target();
  RECT from{}, to{};
  if (!ResolveRect(sourceRect, target.width(), target.height(), &from) ||
      !ResolveRect(destRect, width_, height_, &to)) {
    return DDERR_INVALIDPARAMS;
  }

  SavedGlState saved;
  ScratchFramebuffer destination;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, destination.name());
  glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, name_, 0);
  if (glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    return DDERR_UNSUPPORTED;
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer());
  // The device's scissor and write masks must not trim the copy.
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

  // The target keeps its top row highest, the texture keeps it at row 0 (gl_texture.h):
  // the source rows are given top-down, which turns the picture over on the way.
  const int32_t targetHeight = static_cast<int32_t>(target.height());
  const bool sameSize = RectWidth(from) == RectWidth(to) && RectHeight(from) == RectHeight(to);
  glBlitFramebuffer(from.left, targetHeight - from.top, from.right, targetHeight - from.bottom,
                    to.left, to.top, to.right, to.bottom, GL_COLOR_BUFFER_BIT,
                    sameSize ? GL_NEAREST : GL_LINEAR);
  return DD_OK;
}
