#include "video_format.h"

#include <algorithm>
#include <cctype>
#include <string>

std::optional<VideoFormat> VideoFormatForPath(std::string_view path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  // A dot in a folder's name, or a name that is nothing but the extension, is no extension.
  if (dot == std::string_view::npos || dot == 0 ||
      (slash != std::string_view::npos && (dot < slash || dot == slash + 1))) {
    return std::nullopt;
  }
  std::string extension(path.substr(dot + 1));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "mp4") return VideoFormat::kMp4;
  if (extension == "mkv") return VideoFormat::kMkv;
  return std::nullopt;
}
