#pragma once
// The video files lantern-capture writes, chosen by the file name's extension.
#include <optional>
#include <string_view>

enum class VideoFormat {
  kMp4,  // H.264 (4:2:0) with AAC: small, plays anywhere
  kMkv,  // FFV1 (RGB, lossless) with FLAC: bit-exact, for comparing runs
};

// The format for `path` (".mp4" or ".mkv", in any case), or nothing for any other name.
std::optional<VideoFormat> VideoFormatForPath(std::string_view path);
