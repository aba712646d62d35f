#pragma once
// The dark flares part's two pictures.
#include "kit/pixel_image.h"

namespace surfaces {

// "darkFlare.png": one flare sprite, blended by its alpha over the background (alpha
// format): an eclipsed sun, a black disc with a thin cold corona and dark rays. Its border
// is fully transparent, since the sprites are drawn as plain quads.
inline constexpr int kDarkFlareSize = 128;
PixelImage MakeDarkFlare();

// "f2back.png": the full-screen background (default format, no mip-maps), stretched over
// the whole 4:3 screen and dimmed by a flickering grey: radial streaks of light rushing out
// of the centre through a cold haze, behind the flares that fly the same way.
inline constexpr int kFlareBackgroundSize = 256;
PixelImage MakeFlareBackground();

}  // namespace surfaces
