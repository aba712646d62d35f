#include "render/state/sphere_visibility.h"

#include <array>
#include <cmath>

namespace {

constexpr DWORD kUnionBit = 0x1, kIntersectionBit = 0x1000;

// a*x + b*y + c*z + d >= 0 inside, scaled so that the value is a distance.
struct Plane {
  double a, b, c, d;
};

// With clip = (p, 1) * M, clip component j is p's dot product with column j of M.
std::array<double, 4> Column(const D3DMATRIX& m, int j) {
  return {m.m[0][j], m.m[1][j], m.m[2][j], m.m[3][j]};
}

Plane Normalised(const std::array<double, 4>& coefficients) {
  const double length =
      std::sqrt(coefficients[0] * coefficients[0] + coefficients[1] * coefficients[1] +
                coefficients[2] * coefficients[2]);
  // A plane without a normal keeps its constant: it holds everything inside or nothing.
  const double scale = length > 0.0 ? 1.0 / length : 1.0;
  return {coefficients[0] * scale, coefficients[1] * scale, coefficients[2] * scale,
          coefficients[3] * scale};
}

std::array<double, 4> Combine(const std::array<double, 4>& u, double sign,
                              const std::array<double, 4>& v) {
  return {u[0] + sign * v[0], u[1] + sign * v[1], u[2] + sign * v[2], u[3] + sign * v[3]};
}

std::array<Plane, 6> FrustumPlanes(const D3DMATRIX& m) {
  const std::array<double, 4> x = Column(m, 0), y = Column(m, 1), z = Column(m, 2),
                              w = Column(m, 3);
  return {Normalised(Combine(w, +1.0, x)),   // left:   x >= -w
          Normalised(Combine(w, -1.0, x)),   // right:  x <= w
          Normalised(Combine(w, -1.0, y)),   // top:    y <= w
          Normalised(Combine(w, +1.0, y)),   // bottom: y >= -w
          Normalised(z),                     // front:  z >= 0
          Normalised(Combine(w, -1.0, z))};  // back:   z <= w
}

}  // namespace

void ComputeSphereVisibility(const D3DMATRIX& worldViewProjection, const D3DVECTOR* centers,
                             const float* radii, DWORD count, DWORD* results) {
  const std::array<Plane, 6> planes = FrustumPlanes(worldViewProjection);
  for (DWORD i = 0; i < count; ++i) {
    const D3DVECTOR& center = centers[i];
    const double radius = radii[i];
    DWORD bits = 0;
    for (size_t plane = 0; plane < planes.size(); ++plane) {
      const Plane& p = planes[plane];
      const double distance = p.a * center.x + p.b * center.y + p.c * center.z + p.d;
      if (distance < -radius) {
        bits |= (kUnionBit | kIntersectionBit) << plane;
      } else if (distance < radius) {
        bits |= kUnionBit << plane;
      }
    }
    results[i] = bits;
  }
}
