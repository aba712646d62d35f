#include "resources/png_read_session.h"

#include <cstring>

#include "resources/image_size_limits.h"

namespace {

[[noreturn]] void JumpToRecoveryPoint(png_structp png, png_const_charp /*message*/) {
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp /*png*/, png_const_charp /*message*/) {}

void ReadFromSource(png_structp png, png_bytep destination, size_t count) {
  auto* source = static_cast<ByteCursor*>(png_get_io_ptr(png));
  const uint8_t* bytes = source->Take(count);
  if (bytes == nullptr) png_error(png, "image data ends early");
  std::memcpy(destination, bytes, count);
}

}  // namespace

PngReadSession::PngReadSession(const uint8_t* data, size_t length) : source_(data, length) {
  png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpToRecoveryPoint,
                                IgnoreWarning);
  if (png_ == nullptr) return;
  info_ = png_create_info_struct(png_);
  if (info_ == nullptr) return;
  png_set_read_fn(png_, &source_, ReadFromSource);
  png_set_user_limits(png_, kMaxImageSide, kMaxImageSide);
}

PngReadSession::~PngReadSession() {
  if (png_ != nullptr) png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
}
