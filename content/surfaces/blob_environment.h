#pragma once
// "ckenv.png", the reflection map of the metaball blobs: a sphere map of a night
// horizon, with the sky in the upper half, the ground in the lower half and the horizon
// across the middle row. The blob effect derives its coordinates from a reflection vector
// R as u = Rx/m + 0.5, v = -Ry/m + 0.5, m = 2|(Rx, Ry, Rz + 1)|; for its surfaces this only
// reaches about 0.44 from the centre, so the lamps and the horizon's glow lie inside that
// disc.
#include "kit/pixel_image.h"

namespace surfaces {

inline constexpr int kBlobEnvironmentSize = 256;
// How far from the centre (in texture widths) the blob effect's coordinates reach.
inline constexpr float kBlobEnvironmentReach = 0.44f;

PixelImage MakeBlobEnvironment();

}  // namespace surfaces
