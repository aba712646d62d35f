#include "scenes/primitives.h"

#include <cmath>
#include <numbers>

#include "scenes/parametric_surface.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

constexpr float kTurn = 2 * std::numbers::pi_v<float>;

// A flat disc of `slices` triangles around the y axis at height y, facing up (+1) or down
// (-1).
Mesh Disc(float radius, float y, int slices, float up) {
  Mesh disc;
  const Vec3 normal{0, up, 0};
  const uint16_t centre = disc.AddVertex({0, y, 0}, normal, {0.5f, 0.5f});
  for (int i = 0; i <= slices; ++i) {
    const float angle = kTurn * static_cast<float>(i) / static_cast<float>(slices);
    disc.AddVertex({radius * portable::cos(angle), y, radius * portable::sin(angle)}, normal,
                   {0.5f + 0.5f * portable::cos(angle), 0.5f + 0.5f * portable::sin(angle)});
  }
  for (int i = 0; i < slices; ++i) {
    const auto a = static_cast<uint16_t>(centre + 1 + i);
    const auto b = static_cast<uint16_t>(a + 1);
    disc.AddTriangleFacingNormals(centre, a, b);
  }
  return disc;
}

}  // namespace

Mesh Box(Vec3 size, int segments, float uvPerUnit) {
  const Vec3 half = size * 0.5f;
  // Each face: its normal and the two axes its grid spans.
  struct Face {
    Vec3 normal, uAxis, vAxis;
  };
  const Face faces[] = {{{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},  {{-1, 0, 0}, {0, 0, -1}, {0, -1, 0}},
                        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                        {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}}, {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}}};
  Mesh box;
  for (const Face& face : faces) {
    Append(box, ParametricSurface(segments, segments, [&](float u, float v) {
             const Vec3 unit = face.normal + face.uAxis * (2 * u - 1) + face.vAxis * (2 * v - 1);
             const Vec3 position = Scale(unit, half);
             if (uvPerUnit == 0) return SurfacePoint{position, face.normal, {u, v}};
             return SurfacePoint{
                 position,
                 face.normal,
                 {Dot(position, face.uAxis) * uvPerUnit, Dot(position, face.vAxis) * uvPerUnit}};
           }));
  }
  return box;
}

Mesh Sphere(float radius, int slices, int stacks) {
  return ParametricSurface(slices, stacks, [radius](float u, float v) {
    const float longitude = kTurn * u;
    const float latitude = std::numbers::pi_v<float> * v;
    const Vec3 normal{portable::sin(latitude) * portable::cos(longitude), portable::cos(latitude),
                      portable::sin(latitude) * portable::sin(longitude)};
    return SurfacePoint{normal * radius, normal, {u, v}};
  });
}

Mesh Cylinder(float bottomRadius, float topRadius, float height, int slices, bool capped) {
  const float slope = (bottomRadius - topRadius) / height;
  Mesh tube = ParametricSurface(slices, 1, [&](float u, float v) {
    const float angle = kTurn * u;
    const float radius = bottomRadius + (topRadius - bottomRadius) * v;
    const Vec3 normal = Normalised({portable::cos(angle), slope, portable::sin(angle)});
    return SurfacePoint{
        {radius * portable::cos(angle), height * v, radius * portable::sin(angle)}, normal, {u, 1 - v}};
  });
  if (capped) {
    Append(tube, Disc(bottomRadius, 0, slices, -1));
    if (topRadius > 0) Append(tube, Disc(topRadius, height, slices, 1));
  }
  return tube;
}

Mesh Torus(float majorRadius, float minorRadius, int segments, int sides) {
  return ParametricSurface(segments, sides, [&](float u, float v) {
    const float around = kTurn * u;
    const float tube = kTurn * v;
    const Vec3 outward{portable::cos(around), 0, portable::sin(around)};
    const Vec3 normal = outward * portable::cos(tube) + Vec3{0, portable::sin(tube), 0};
    return SurfacePoint{outward * majorRadius + normal * minorRadius, normal, {u, v}};
  });
}

Mesh Grid(float width, float depth, int columns, int rows, float uvRepeat) {
  return ParametricSurface(columns, rows, [&](float u, float v) {
    return SurfacePoint{
        {(u - 0.5f) * width, 0, (v - 0.5f) * depth}, {0, 1, 0}, {u * uvRepeat, v * uvRepeat}};
  });
}

Mesh Quad(float width, float height) {
  return ParametricSurface(1, 1, [&](float u, float v) {
    return SurfacePoint{{(u - 0.5f) * width, (0.5f - v) * height, 0}, {0, 0, -1}, {u, v}};
  });
}

}  // namespace scenes
