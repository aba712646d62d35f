#include "scene/animated_texture_names.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr char kMarker[] = "_ANIMATED";

// The count after the marker, read as atoi reads it.
int FrameCount(const std::string& materialName) {
  const size_t marker = materialName.find(kMarker);
  if (marker == std::string::npos) return 0;
  const int count = std::atoi(materialName.c_str() + marker + sizeof(kMarker) - 1);
  return std::clamp(count, 0, kMaxAnimatedTextureFrames);
}

}  // namespace

std::vector<std::string> AnimatedTextureNames(const std::string& materialName,
                                              const std::string& textureName) {
  const size_t dot = textureName.rfind('.');
  const std::string beforeDot = textureName.substr(0, dot);
  // The stem drops the first frame's number, the one character before the dot.
  const std::string stem = beforeDot.substr(0, beforeDot.empty() ? 0 : beforeDot.size() - 1);
  const std::string extension =
      dot == std::string::npos ? std::string() : textureName.substr(dot);

  const int count = FrameCount(materialName);
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(count));
  for (int i = 1; i <= count; ++i) names.push_back(stem + std::to_string(i) + extension);
  return names;
}
