#pragma once
// Surfaces swept from flat outlines: solids of revolution, extruded outlines (3D text) and
// tubes along a path.
#include <vector>

#include "scenes/mesh.h"
#include "scenes/polygon_tessellation.h"

namespace scenes {

// The profile (x = radius, y = height, listed from bottom to top) turned about the y axis
// in `slices` steps; u runs around `uRepeat` times, v `vRepeat` times down the profile.
// Repeating a profile point makes a sharp crease there.
Mesh Lathe(const std::vector<Vec2>& profile, int slices, float uRepeat = 1, float vRepeat = 1);

// The area the contours fill (non-zero winding, as font outlines) extruded from z = 0 to
// z = `depth`: a front cap facing -z, sides, and a back cap facing +z when `withBack`.
// Cap texture coordinates are the outline's own (x, -y) times `uvScale`.
Mesh ExtrudeOutline(const std::vector<Contour>& contours, float depth, bool withBack,
                    float uvScale = 1);

// The flat front cap alone: the filled outline at z = 0 facing -z.
Mesh FlatOutline(const std::vector<Contour>& contours, float uvScale = 1);

// A tube of `sides` around the path, with the radius given per path point; u runs around,
// v along the path. The ends are open.
Mesh Tube(const std::vector<Vec3>& path, const std::vector<float>& radii, int sides);

}  // namespace scenes
