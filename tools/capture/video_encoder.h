#pragma once
// Encodes the captured frames and the soundtrack into one video file with FFmpeg's
// libraries. The file is written under a temporary name and gets its own name only when
// it is complete, so an interrupted capture never leaves a truncated file behind.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "video_format.h"

struct VideoSettings {
  VideoFormat format = VideoFormat::kMp4;
  uint32_t width = 640;   // even for kMp4
  uint32_t height = 480;  // even for kMp4
  double fps = 30.0;
  uint32_t audioRate = 0; // samples per second of a stereo audio stream; 0: no audio
};

class VideoEncoder {
 public:
  // Opens `path` (under its temporary name) and both encoders; throws std::runtime_error
  // with the reason when the file cannot be created or an encoder is missing.
  VideoEncoder(const std::string& path, const VideoSettings& settings);
  // Without Finish, the temporary file is removed.
  ~VideoEncoder();

  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // The next frame: width x height pixels of 4 bytes (blue, green, red, unused), the
  // bottom row first, as OpenGL reads them. Throws std::runtime_error on a write failure.
  void AddFrame(const uint8_t* bottomUpBgrx);
  // The next `frames` stereo frames of 16-bit samples, interleaved.
  void AddAudio(const int16_t* interleaved, size_t frames);
  // Flushes the encoders, completes the file and renames it to `path`.
  void Finish();

  // The name written to until Finish.
  const std::string& temporaryPath() const { return temporaryPath_; }

 private:
  struct Muxer;
  void EncodeAudioFrame(size_t frames);

  std::string path_;
  std::string temporaryPath_;
  std::unique_ptr<Muxer> muxer_;
};
