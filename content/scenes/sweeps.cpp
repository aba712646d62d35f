#include "scenes/sweeps.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scenes/parametric_surface.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

constexpr float kTurn = 2 * std::numbers::pi_v<float>;
// Neighbouring side faces of an extrusion meeting at a smaller angle than this share their
// normals (the outline is a curve there); larger angles stay sharp.
const float kSmoothCosine = portable::cos(0.7f);

Vec2 OutwardProfileNormal(Vec2 from, Vec2 to) {
  const float dx = to.x - from.x, dy = to.y - from.y;
  const float length = std::sqrt(dx * dx + dy * dy);
  return length > 0 ? Vec2{dy / length, -dx / length} : Vec2{};
}

// The cap of the filled outline at depth z, facing `facing` (-1 or +1 along z).
Mesh Cap(const std::vector<Contour>& contours, float z, float facing, float uvScale) {
  const Triangulation triangulation = Tessellate(contours);
  Mesh cap;
  for (const Vec2& point : triangulation.points) {
    cap.AddVertex({point.x, point.y, z}, {0, 0, facing}, {point.x * uvScale, -point.y * uvScale});
  }
  for (const auto& triangle : triangulation.triangles) {
    cap.AddTriangleFacingNormals(static_cast<uint16_t>(triangle[0]),
                                 static_cast<uint16_t>(triangle[1]),
                                 static_cast<uint16_t>(triangle[2]));
  }
  return cap;
}

// The unit normal of each edge i -> i + 1 of `contour`, pointing away from the filled area.
std::vector<Vec2> EdgeNormals(const std::vector<Contour>& contours, const Contour& contour) {
  std::vector<Vec2> normals;
  for (size_t i = 0; i < contour.size(); ++i) {
    const Vec2 a = contour[i], b = contour[(i + 1) % contour.size()];
    Vec2 normal = OutwardProfileNormal(a, b);
    const float probe = 1e-3f;
    const Vec2 outside{(a.x + b.x) / 2 + normal.x * probe, (a.y + b.y) / 2 + normal.y * probe};
    if (WindingNumber(contours, outside) != 0) normal = {-normal.x, -normal.y};
    normals.push_back(normal);
  }
  return normals;
}

// The normal at a corner for the side face `own`: shared with the neighbouring face when
// they meet at a shallow angle.
Vec3 CornerNormal(Vec2 own, Vec2 neighbour) {
  const float cosine = own.x * neighbour.x + own.y * neighbour.y;
  const Vec2 normal = cosine > kSmoothCosine ? Vec2{own.x + neighbour.x, own.y + neighbour.y} : own;
  return Normalised({normal.x, normal.y, 0});
}

Mesh Sides(const std::vector<Contour>& contours, float depth) {
  Mesh sides;
  for (const Contour& contour : contours) {
    const std::vector<Vec2> normals = EdgeNormals(contours, contour);
    const size_t count = contour.size();
    float along = 0;
    for (size_t i = 0; i < count; ++i) {
      const Vec2 a = contour[i], b = contour[(i + 1) % count];
      const float length = portable::hypot(b.x - a.x, b.y - a.y);
      const Vec3 normalA = CornerNormal(normals[i], normals[(i + count - 1) % count]);
      const Vec3 normalB = CornerNormal(normals[i], normals[(i + 1) % count]);
      const uint16_t frontA = sides.AddVertex({a.x, a.y, 0}, normalA, {along, 0});
      const uint16_t frontB = sides.AddVertex({b.x, b.y, 0}, normalB, {along + length, 0});
      const uint16_t backB = sides.AddVertex({b.x, b.y, depth}, normalB, {along + length, 1});
      const uint16_t backA = sides.AddVertex({a.x, a.y, depth}, normalA, {along, 1});
      sides.AddTriangleFacingNormals(frontA, frontB, backB);
      sides.AddTriangleFacingNormals(frontA, backB, backA);
      along += length;
    }
  }
  return sides;
}

}  // namespace

Mesh Lathe(const std::vector<Vec2>& profile, int slices, float uRepeat, float vRepeat) {
  const int rows = static_cast<int>(profile.size()) - 1;
  std::vector<Vec2> normals;
  for (int i = 0; i <= rows; ++i) {
    const Vec2 below = i > 0 ? OutwardProfileNormal(profile[i - 1], profile[i]) : Vec2{};
    const Vec2 above = i < rows ? OutwardProfileNormal(profile[i], profile[i + 1]) : Vec2{};
    normals.push_back({below.x + above.x, below.y + above.y});
  }
  return ParametricSurface(slices, rows, [&](float u, float v) {
    const int row = static_cast<int>(std::lround(v * static_cast<float>(rows)));
    const float angle = kTurn * u;
    const Vec3 around{portable::cos(angle), 0, portable::sin(angle)};
    const Vec3 position = around * profile[row].x + Vec3{0, profile[row].y, 0};
    const Vec3 normal = Normalised(around * normals[row].x + Vec3{0, normals[row].y, 0});
    return SurfacePoint{position, normal, {u * uRepeat, (1 - v) * vRepeat}};
  });
}

Mesh ExtrudeOutline(const std::vector<Contour>& contours, float depth, bool withBack,
                    float uvScale) {
  Mesh solid = Cap(contours, 0, -1, uvScale);
  Append(solid, Sides(contours, depth));
  if (withBack) Append(solid, Cap(contours, depth, 1, uvScale));
  return solid;
}

Mesh FlatOutline(const std::vector<Contour>& contours, float uvScale) {
  return Cap(contours, 0, -1, uvScale);
}

Mesh Tube(const std::vector<Vec3>& path, const std::vector<float>& radii, int sides) {
  // Frames carried along the path (parallel transport), so the tube does not twist.
  const size_t count = path.size();
  std::vector<Vec3> tangents, sideways;
  for (size_t i = 0; i < count; ++i) {
    const Vec3 ahead = path[std::min(i + 1, count - 1)] - path[i > 0 ? i - 1 : 0];
    tangents.push_back(Normalised(ahead));
  }
  Vec3 side = Cross(tangents[0], std::fabs(tangents[0].y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0});
  for (size_t i = 0; i < count; ++i) {
    side = Normalised(side - tangents[i] * Dot(side, tangents[i]));
    sideways.push_back(side);
  }
  return ParametricSurface(sides, static_cast<int>(count) - 1, [&](float u, float v) {
    const auto i = static_cast<size_t>(std::lround(v * static_cast<float>(count - 1)));
    const float angle = kTurn * u;
    const Vec3 up = Cross(tangents[i], sideways[i]);
    const Vec3 normal = sideways[i] * portable::cos(angle) + up * portable::sin(angle);
    return SurfacePoint{path[i] + normal * radii[i], normal, {u, v}};
  });
}

}  // namespace scenes
