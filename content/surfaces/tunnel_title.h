#pragma once
// "tunnel.png", the opening picture of the closing section: a look down a ribbed tunnel to
// a white-hot light at its end. It is shown over the whole picture area (640 x 403 on a
// 640 x 480 screen) and then shrinks into the centre while it fades, so the tunnel's
// vanishing point sits exactly at the centre.
#include "kit/pixel_image.h"

namespace surfaces {

inline constexpr int kTunnelTitleWidth = 512;
inline constexpr int kTunnelTitleHeight = 256;

PixelImage MakeTunnelTitle();

}  // namespace surfaces
