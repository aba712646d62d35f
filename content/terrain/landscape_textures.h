#pragma once
// The landscape's two texture stages: a colour ramp chosen by height and a tiled grain
// that the stage multiplies over it.
#include "kit/pixel_image.h"

// "terrain.png": u runs across the landscape's x (1 at x = 0), v down from the highest
// ground (v = 0.01) to the lowest (v = 1.01), so every row is one height band.
PixelImage MakeHeightRamp();

// "detail.png": grey grain that tiles; multiplied over the ramp, so bright on average.
PixelImage MakeDetailGrain();
