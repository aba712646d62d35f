#include "demo/mp3_decoder.h"

#include <mpg123.h>
#include <sys/types.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr size_t kBytesPerFrame = 2 * sizeof(int16_t);

// The MP3 bytes as a file that mpg123 reads and seeks through its replaceable I/O, so that
// it can look at the end of the data (for a trailing tag) and seek back to the start.
struct MemoryFile {
  const unsigned char* data;
  size_t length;
  size_t offset = 0;
};

mpg123_ssize_t ReadMemoryFile(void* handle, void* buffer, size_t count) {
  auto& file = *static_cast<MemoryFile*>(handle);
  const size_t available = std::min(count, file.length - file.offset);
  std::copy_n(file.data + file.offset, available, static_cast<unsigned char*>(buffer));
  file.offset += available;
  return static_cast<mpg123_ssize_t>(available);
}

off_t SeekMemoryFile(void* handle, off_t offset, int whence) {
  auto& file = *static_cast<MemoryFile*>(handle);
  off_t base = 0;
  switch (whence) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = static_cast<off_t>(file.offset); break;
    case SEEK_END: base = static_cast<off_t>(file.length); break;
    default: return -1;
  }
  const off_t target = base + offset;
  if (target < 0 || static_cast<size_t>(target) > file.length) return -1;
  file.offset = static_cast<size_t>(target);
  return target;
}

struct HandleDeleter {
  void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};

}  // namespace

struct Mp3Decoder::State {
  MemoryFile file;
  // Declared after the file it reads, so that it is closed before the file goes away.
  std::unique_ptr<mpg123_handle, HandleDeleter> handle;
};

std::unique_ptr<Mp3Decoder> Mp3Decoder::Open(const void* data, size_t length, uint32_t rate) {
  if (data == nullptr || length == 0 || rate == 0) return nullptr;
  // Only needed by libraries older than 1.27, where it sets up shared tables; later it
  // does nothing.
  static const int init_result = mpg123_init();
  if (init_result != MPG123_OK) return nullptr;

  auto state = std::make_unique<State>();
  state->file = {static_cast<const unsigned char*>(data), length};
  state->handle.reset(mpg123_new(nullptr, nullptr));
  mpg123_handle* handle = state->handle.get();
  if (handle == nullptr) return nullptr;

  // Allowing exactly one output format makes mpg123 resample and duplicate mono channels
  // whenever the file is anything other than 16-bit stereo at `rate`.
  const bool configured =
      mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0) == MPG123_OK &&
      mpg123_format_none(handle) == MPG123_OK &&
      mpg123_format(handle, static_cast<long>(rate), MPG123_STEREO, MPG123_ENC_SIGNED_16) ==
          MPG123_OK &&
      mpg123_replace_reader_handle(handle, ReadMemoryFile, SeekMemoryFile, nullptr) ==
          MPG123_OK &&
      mpg123_open_handle(handle, &state->file) == MPG123_OK;
  if (!configured) return nullptr;

  long found_rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle, &found_rate, &channels, &encoding) != MPG123_OK ||
      found_rate != static_cast<long>(rate) || channels != MPG123_STEREO ||
      encoding != MPG123_ENC_SIGNED_16) {
    return nullptr;
  }
  // Walking every frame header makes the length exact even for a file without an encoder
  // tag, where it would otherwise be guessed from the first frame.
  if (mpg123_scan(handle) != MPG123_OK) return nullptr;

  std::unique_ptr<Mp3Decoder> decoder(new Mp3Decoder(std::move(state)));
  // mpg123 finds a frame header in many byte sequences that are not MP3 at all; only a
  // buffer from which sound actually decodes counts as one.
  int16_t first_frame[2];
  if (decoder->Read(first_frame, 1) != 1 || !decoder->Rewind()) return nullptr;
  return decoder;
}

Mp3Decoder::Mp3Decoder(std::unique_ptr<State> state) : state_(std::move(state)) {}

Mp3Decoder::~Mp3Decoder() = default;

size_t Mp3Decoder::Read(int16_t* out, size_t frames) {
  if (out == nullptr) return 0;
  auto* bytes = reinterpret_cast<unsigned char*>(out);
  const size_t wanted = frames * kBytesPerFrame;
  size_t written = 0;
  while (written < wanted) {
    size_t done = 0;
    const int result = mpg123_read(state_->handle.get(), bytes + written, wanted - written, &done);
    written += done;
    // A new format is announced once per stream, with or without data; anything else that
    // is not plain success means the end of the stream or data that cannot be decoded.
    if (result == MPG123_NEW_FORMAT) continue;
    if (result != MPG123_OK || done == 0) break;
  }
  return written / kBytesPerFrame;
}

bool Mp3Decoder::Rewind() { return SeekToFrame(0); }

bool Mp3Decoder::SeekToFrame(uint64_t frame) {
  // The whole stream was scanned when it was opened, so the seek is exact to the sample;
  // past the end it lands at the end.
  const auto target = static_cast<off_t>(frame);
  return target >= 0 && mpg123_seek(state_->handle.get(), target, SEEK_SET) >= 0;
}

int64_t Mp3Decoder::LengthInFrames() {
  const off_t length = mpg123_length(state_->handle.get());
  return length < 0 ? -1 : static_cast<int64_t>(length);
}
