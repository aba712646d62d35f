#pragma once
// The program's icon for desktop menus: a lit lantern on a night-blue tile.
#include "kit/pixel_image.h"

// Paints the icon at `size` x `size` pixels (transparent outside its rounded tile).
PixelImage PaintProgramIcon(int size);
