#pragma once
// "clouds.png": the sky dome's picture, tiling in both directions (the dome maps it from
// above, two repeats across, and turns it about the apex).
#include "kit/pixel_image.h"

PixelImage MakeCloudSky();
