#pragma once
// The texture names of a material with an animated texture (flag kMaterialAnimatedTexture).
// The material's name carries "_ANIMATED" followed by the decimal frame count n; the
// texture name is the first frame's: a stem, one character (the frame number), a dot and an
// extension, such as "flame1.png". Frame i (1..n) is the stem, i, the dot and the extension:
// "flame1.png" .. "flameN.png".
#include <string>
#include <vector>

// More frames than any animation needs; a larger count is taken as this many.
constexpr int kMaxAnimatedTextureFrames = 1000;

// The n frame names in order. No frames when the material's name has no "_ANIMATED" or no
// positive count after it. A texture name without a dot has no extension, and the frame
// names then end with their number.
std::vector<std::string> AnimatedTextureNames(const std::string& materialName,
                                              const std::string& textureName);
