#include "render/gl/stream_buffer.h"

#include <bit>
#include <cstring>

StreamBuffer::StreamBuffer(GLenum target, size_t capacity) : target_(target), capacity_(capacity) {
  glGenBuffers(1, &buffer_);
}

StreamBuffer::~StreamBuffer() { glDeleteBuffers(1, &buffer_); }

void StreamBuffer::Orphan() {
  glBufferData(target_, static_cast<GLsizeiptr>(capacity_), nullptr, GL_STREAM_DRAW);
  allocated_ = true;
  position_ = 0;
}

bool StreamBuffer::Write(const void* data, size_t bytes, size_t alignment, size_t* offset) {
  size_t start = (position_ + alignment - 1) / alignment * alignment;
  if (!allocated_ || start + bytes > capacity_) {
    if (bytes > capacity_) capacity_ = std::bit_ceil(bytes);
    Orphan();
    start = 0;
  }
  void* mapped =
      glMapBufferRange(target_, static_cast<GLintptr>(start), static_cast<GLsizeiptr>(bytes),
                       GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
  if (mapped == nullptr) return false;
  std::memcpy(mapped, data, bytes);
  glUnmapBuffer(target_);
  position_ = start + bytes;
  *offset = start;
  return true;
}
