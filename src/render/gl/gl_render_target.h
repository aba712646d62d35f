#pragma once
// The picture the demo draws into: a framebuffer object with an RGBA8 colour buffer and a
// 24-bit depth / 8-bit stencil buffer. Its rows are kept in OpenGL's order (bottom row
// first in memory), so the demo's row 0 is the framebuffer's top row.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "render/d3d/result.h"

class GlRenderTarget {
 public:
  // D3DXERR_INVALIDPARAMETER for a zero size or one beyond what OpenGL can hold,
  // E_OUTOFMEMORY when the storage cannot be allocated, D3DXERR_INITFAILED when the
  // framebuffer is not complete.
  static HRESULT Create(DWORD width, DWORD height, std::unique_ptr<GlRenderTarget>* out);
  ~GlRenderTarget();
  GlRenderTarget(const GlRenderTarget&) = delete;
  GlRenderTarget& operator=(const GlRenderTarget&) = delete;

  DWORD width() const { return width_; }
  DWORD height() const { return height_; }
  GLuint framebuffer() const { return framebuffer_; }

  // The colour buffer as 0xAARRGGBB pixels, top row first.
  std::vector<uint32_t> ReadPixels() const;

 private:
  GlRenderTarget(DWORD width, DWORD height);

  DWORD width_, height_;
  GLuint framebuffer_ = 0;
  GLuint colorBuffer_ = 0;
  GLuint depthStencilBuffer_ = 0;
};
