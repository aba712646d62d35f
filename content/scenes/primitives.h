#pragma once
// The basic solids, centred on the origin unless stated, with outward normals and texture
// coordinates running 0..1 around and along each surface.
#include "scenes/mesh.h"

namespace scenes {

// A box of `size`, each face a grid of `segments` x `segments` quads (finer grids catch
// baked light better). Each face is textured 0..1, or `uvPerUnit` texture repeats per unit
// of length when that is not 0 (so a texture keeps its scale on boxes of any size).
Mesh Box(Vec3 size, int segments = 1, float uvPerUnit = 0);
Mesh Sphere(float radius, int slices, int stacks);
// A tube along y from 0 to `height`, radius `bottomRadius` at the bottom and `topRadius`
// at the top (0 makes a cone), with flat caps when `capped`.
Mesh Cylinder(float bottomRadius, float topRadius, float height, int slices, bool capped);
// A ring in the xz plane: `majorRadius` to the tube's centre line, tube radius `minorRadius`.
Mesh Torus(float majorRadius, float minorRadius, int segments, int sides);
// A flat grid in the xz plane facing +y, `columns` x `rows` quads; u runs along x and v
// along z, each `uvRepeat` times across the grid.
Mesh Grid(float width, float depth, int columns, int rows, float uvRepeat = 1);
// A `width` x `height` rectangle in the xy plane facing -z (towards a camera looking along
// +z), u running along +x and v down -y.
Mesh Quad(float width, float height);

}  // namespace scenes
