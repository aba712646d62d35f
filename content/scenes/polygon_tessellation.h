#pragma once
// Triangulation of flat outlines (letters, extrusion profiles) with the GLU tessellator,
// which needs no drawing context: it only splits the filled area into triangles.
#include <array>
#include <vector>

namespace scenes {

struct Vec2 {
  float x = 0, y = 0;
};

// A closed outline; the last point joins the first.
using Contour = std::vector<Vec2>;

struct Triangulation {
  std::vector<Vec2> points;  // the contours' points, then any the tessellator added
  std::vector<std::array<int, 3>> triangles;
};

// The area that the contours enclose with a non-zero winding number (the rule of font
// outlines: a hole runs the other way round), as triangles.
Triangulation Tessellate(const std::vector<Contour>& contours);

// The winding number of the contours about `point`: non-zero inside the filled area.
int WindingNumber(const std::vector<Contour>& contours, Vec2 point);

}  // namespace scenes
