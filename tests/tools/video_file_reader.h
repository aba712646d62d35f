#pragma once
// Reads a video file back with FFmpeg's decoders, for checking what lantern-capture wrote.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct DecodedVideo {
  int width = 0;
  int height = 0;
  double frameRate = 0;           // the video stream's average rate
  std::string videoCodec;         // FFmpeg's codec names, e.g. "ffv1", "h264"
  std::string audioCodec;         // empty without an audio stream
  int audioRate = 0;
  int audioChannels = 0;
  // Each frame's first plane, row by row from the top: 4 bytes per pixel (blue, green, red,
  // unused) for FFV1's RGB, the luma for H.264.
  std::vector<std::vector<uint8_t>> frames;
  std::vector<int16_t> audio;     // interleaved, as decoded (float codecs rounded)
};

// Nothing when the file cannot be opened or decoded.
std::optional<DecodedVideo> ReadVideoFile(const std::string& path);
