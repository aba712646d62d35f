#include "render/gl/gl_frame_readback.h"

#include <GL/glext.h>

#include <cstring>
#include <stdexcept>

#include "render/gl/gl_d3dx_context.h"

GlFrameReadback::GlFrameReadback(const GlD3DXContext& context) : context_(context) {
  const GlRenderTarget& target = context.renderTarget();
  bytes_ = size_t{target.width()} * target.height() * 4;
  glGenBuffers(static_cast<GLsizei>(kBuffers), buffers_.data());
  for (const GLuint buffer : buffers_) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
    glBufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(bytes_), nullptr, GL_STREAM_READ);
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

GlFrameReadback::~GlFrameReadback() {
  glDeleteBuffers(static_cast<GLsizei>(kBuffers), buffers_.data());
}

void GlFrameReadback::Request() {
  if (Full()) throw std::logic_error("every read-back buffer is in use");
  const GlRenderTarget& target = context_.renderTarget();
  GLint previousFramebuffer = 0;
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previousFramebuffer);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer());
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[(oldest_ + queued_) % kBuffers]);
  // BGRA is the layout OpenGL implementations read fastest; the video takes it as it is.
  glReadPixels(0, 0, static_cast<GLsizei>(target.width()), static_cast<GLsizei>(target.height()),
               GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));
  ++queued_;
}

void GlFrameReadback::TakeOldest(std::vector<uint8_t>& bottomUpBgrx) {
  if (Empty()) throw std::logic_error("no frame was requested");
  bottomUpBgrx.resize(bytes_);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[oldest_]);
  const void* pixels = glMapBufferRange(GL_PIXEL_PACK_BUFFER, 0,
                                        static_cast<GLsizeiptr>(bytes_), GL_MAP_READ_BIT);
  if (pixels == nullptr) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    throw std::runtime_error("the frame cannot be read back");
  }
  std::memcpy(bottomUpBgrx.data(), pixels, bytes_);
  glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  oldest_ = (oldest_ + 1) % kBuffers;
  --queued_;
}
