#pragma once
// "ditp.png": the graphic of the two alpha-blended strips at the screen's sides. Its
// x axis runs along a strip (and wraps, since the picture scrolls one length over the
// flight), its y axis across it: row 0 at the strip's inner edge, the last row at the
// screen's edge.
#include "kit/pixel_image.h"

PixelImage MakeSideStripPicture();
