#include "render/gl/gl_render_target.h"

#include <algorithm>

#include "render/gl/gl_errors.h"

namespace {

GLint BoundFramebuffer(GLenum bindingQuery) {
  GLint binding = 0;
  glGetIntegerv(bindingQuery, &binding);
  return binding;
}

}  // namespace

GlRenderTarget::GlRenderTarget(DWORD width, DWORD height) : width_(width), height_(height) {
  glGenFramebuffers(1, &framebuffer_);
  glGenRenderbuffers(1, &colorBuffer_);
  glGenRenderbuffers(1, &depthStencilBuffer_);
}

GlRenderTarget::~GlRenderTarget() {
  glDeleteFramebuffers(1, &framebuffer_);
  glDeleteRenderbuffers(1, &colorBuffer_);
  glDeleteRenderbuffers(1, &depthStencilBuffer_);
}

HRESULT GlRenderTarget::Create(DWORD width, DWORD height,
                               std::unique_ptr<GlRenderTarget>* out) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
  const DWORD limit = static_cast<DWORD>(std::max(maxSize, 0));
  if (width == 0 || height == 0 || width > limit || height > limit) {
    return D3DXERR_INVALIDPARAMETER;
  }

  DrainGlErrors();
  std::unique_ptr<GlRenderTarget> target(new GlRenderTarget(width, height));
  const GLsizei glWidth = static_cast<GLsizei>(width), glHeight = static_cast<GLsizei>(height);
  GLint previousRenderbuffer = 0;
  glGetIntegerv(GL_RENDERBUFFER_BINDING, &previousRenderbuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, target->colorBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, glWidth, glHeight);
  glBindRenderbuffer(GL_RENDERBUFFER, target->depthStencilBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, glWidth, glHeight);
  glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(previousRenderbuffer));
  if (glGetError() == GL_OUT_OF_MEMORY) return E_OUTOFMEMORY;

  const GLint previousFramebuffer = BoundFramebuffer(GL_DRAW_FRAMEBUFFER_BINDING);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target->framebuffer_);
  glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                            target->colorBuffer_);
  glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                            target->depthStencilBuffer_);
  const bool complete =
      glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));
  if (!complete) return D3DXERR_INITFAILED;

  *out = std::move(target);
  return S_OK;
}

std::vector<uint32_t> GlRenderTarget::ReadPixels() const {
  const size_t rowPixels = width_;
  std::vector<uint32_t> bottomUp(rowPixels * height_);
  const GLint previousFramebuffer = BoundFramebuffer(GL_READ_FRAMEBUFFER_BINDING);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  // BGRA bytes read as reversed 8-8-8-8 words are exactly 0xAARRGGBB.
  glReadPixels(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_), GL_BGRA,
               GL_UNSIGNED_INT_8_8_8_8_REV, bottomUp.data());
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));

  std::vector<uint32_t> topDown(bottomUp.size());
  for (size_t row = 0; row < height_; ++row) {
    std::copy_n(bottomUp.begin() + static_cast<ptrdiff_t>((height_ - 1 - row) * rowPixels),
                rowPixels, topDown.begin() + static_cast<ptrdiff_t>(row * rowPixels));
  }
  return topDown;
}
