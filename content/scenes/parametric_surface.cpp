#include "scenes/parametric_surface.h"

namespace scenes {

Mesh ParametricSurface(int columns, int rows,
                       const std::function<SurfacePoint(float u, float v)>& point) {
  Mesh mesh;
  for (int row = 0; row <= rows; ++row) {
    for (int column = 0; column <= columns; ++column) {
      const SurfacePoint p = point(static_cast<float>(column) / static_cast<float>(columns),
                                   static_cast<float>(row) / static_cast<float>(rows));
      mesh.AddVertex(p.position, p.normal, p.uv);
    }
  }
  const auto at = [columns](int column, int row) {
    return static_cast<uint16_t>(row * (columns + 1) + column);
  };
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      mesh.AddTriangleFacingNormals(at(column, row), at(column + 1, row), at(column + 1, row + 1));
      mesh.AddTriangleFacingNormals(at(column, row), at(column + 1, row + 1), at(column, row + 1));
    }
  }
  return mesh;
}

}  // namespace scenes
