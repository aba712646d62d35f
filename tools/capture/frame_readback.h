#pragma once
// Reads the demo's frames back without waiting for each copy: a frame goes into one of a
// ring of pixel buffers when it has been drawn, and is taken out after the next one has
// been drawn, so that a GPU copies while the CPU goes on.
#include <GL/gl.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/d3dx/d3dx_context.h"

class FrameReadback {
 public:
  // The render target of `context`, which D3DXCreateContextEx made. Throws
  // std::runtime_error otherwise.
  explicit FrameReadback(ID3DXContext* context);
  ~FrameReadback();

  FrameReadback(const FrameReadback&) = delete;
  FrameReadback& operator=(const FrameReadback&) = delete;

  // Starts copying the frame just drawn. Call only while a buffer is free.
  void Request();
  // Whether every buffer holds a frame not yet taken.
  bool Full() const { return queued_ == kBuffers; }
  bool Empty() const { return queued_ == 0; }
  // Waits for the oldest requested frame and copies it into `bottomUpBgrx`: 4 bytes per
  // pixel (blue, green, red, alpha), the bottom row first.
  void TakeOldest(std::vector<uint8_t>& bottomUpBgrx);

 private:
  static constexpr size_t kBuffers = 2;

  ID3DXContext* context_;
  size_t bytes_;
  std::array<GLuint, kBuffers> buffers_{};
  size_t oldest_ = 0;
  size_t queued_ = 0;
};
