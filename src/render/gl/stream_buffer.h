#pragma once
// A dynamic OpenGL buffer that data from client memory is streamed through, draw after
// draw. Each write goes to the next free range, mapped unsynchronised: earlier draws may
// still read the ranges before it. When the buffer is full it is orphaned (OpenGL keeps
// the old storage for the draws that use it) and writing starts over at its beginning.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>

class StreamBuffer {
 public:
  // `target` is where the caller keeps the buffer bound while writing.
  StreamBuffer(GLenum target, size_t capacity);
  ~StreamBuffer();
  StreamBuffer(const StreamBuffer&) = delete;
  StreamBuffer& operator=(const StreamBuffer&) = delete;

  GLuint name() const { return buffer_; }

  // Copies `bytes` (more than 0) bytes to an offset that is a multiple of `alignment`
  // and puts that offset in `offset`; false when OpenGL cannot map the range. The buffer
  // must be bound to its target. Grows the buffer when one write needs more than it
  // holds.
  bool Write(const void* data, size_t bytes, size_t alignment, size_t* offset);

 private:
  void Orphan();

  GLenum target_;
  GLuint buffer_ = 0;
  size_t capacity_;
  size_t position_ = 0;  // where free space starts; 0 before the storage exists
  bool allocated_ = false;
};
