#pragma once
// The colours the pictures share: warm white, lantern amber and near-black ink.
#include "kit/pixel_image.h"

namespace picture_art {

inline constexpr Colour kPaper{0.96f, 0.95f, 0.90f, 1.0f};
inline constexpr Colour kAmber{1.0f, 0.62f, 0.18f, 1.0f};
inline constexpr Colour kEmber{0.86f, 0.30f, 0.07f, 1.0f};
inline constexpr Colour kInk{0.02f, 0.02f, 0.03f, 1.0f};

// The box behind small labels over the static.
inline constexpr Colour kLabelBacking{0.02f, 0.02f, 0.03f, 0.85f};

// `colour` with its alpha set to `alpha`.
constexpr Colour Faded(Colour colour, float alpha) { return {colour.r, colour.g, colour.b, alpha}; }

}  // namespace picture_art
