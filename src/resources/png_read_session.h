#pragma once
// One pass of libpng over a PNG held in memory. libpng reports errors by jumping back to
// the recovery point set with setjmp(png_jmpbuf(Png())); nothing is printed, and reads
// stop at the end of the given bytes.
#include <png.h>

#include <cstddef>
#include <cstdint>

#include "resources/byte_cursor.h"

class PngReadSession {
 public:
  PngReadSession(const uint8_t* data, size_t length);
  ~PngReadSession();
  PngReadSession(const PngReadSession&) = delete;
  PngReadSession& operator=(const PngReadSession&) = delete;

  // False when libpng could not create its structures.
  bool IsReady() const { return info_ != nullptr; }
  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }

 private:
  ByteCursor source_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};
