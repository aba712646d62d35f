#pragma once
// Frame read-back over OpenGL: a ring of pixel-pack buffers that glReadPixels fills from
// the render target's framebuffer without waiting, mapped when the frame is taken.
#include <GL/gl.h>

#include <array>
#include <cstddef>

#include "render/d3dx/frame_instruments.h"

class GlD3DXContext;

class GlFrameReadback final : public FrameReadback {
 public:
  // Reads `context`'s render target at its size now.
  explicit GlFrameReadback(const GlD3DXContext& context);
  ~GlFrameReadback() override;

  GlFrameReadback(const GlFrameReadback&) = delete;
  GlFrameReadback& operator=(const GlFrameReadback&) = delete;

  void Request() override;
  bool Full() const override { return queued_ == kBuffers; }
  bool Empty() const override { return queued_ == 0; }
  void TakeOldest(std::vector<uint8_t>& bottomUpBgrx) override;

 private:
  static constexpr size_t kBuffers = 2;

  const GlD3DXContext& context_;
  size_t bytes_;
  std::array<GLuint, kBuffers> buffers_{};
  size_t oldest_ = 0;
  size_t queued_ = 0;
};
