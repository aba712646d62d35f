#pragma once
// The two tubes of the vent shaft flight. Both wrap around and along their tube (texture
// coordinates run past 1), so both tile seamlessly in both directions.
#include "kit/pixel_image.h"

namespace surfaces {

// "vent_shaft.png": the shaft's wall (default format, opaque), riveted, grimy sheet
// metal. One tile covers a quarter of the circumference (4.7 units) and 7.5 units of depth.
inline constexpr int kVentWallSize = 256;
PixelImage MakeVentWall();

// "fence.png": the grating tube inside the shaft (alpha format, blended by its alpha): a
// chain-link mesh with a support ring, its holes fully transparent. One tile covers about
// 0.94 units around and 1.9 units along the tube.
inline constexpr int kVentFenceSize = 256;
PixelImage MakeVentFence();

}  // namespace surfaces
