#include "scenes/quaternion.h"
#include "kit/portable_maths.h"

#include <cmath>

namespace scenes {
namespace {

// Hamilton product: the rotation `right` followed by `left`.
Quat Product(Quat left, Quat right) {
  return {left.w * right.x + left.x * right.w + left.y * right.z - left.z * right.y,
          left.w * right.y - left.x * right.z + left.y * right.w + left.z * right.x,
          left.w * right.z + left.x * right.y - left.y * right.x + left.z * right.w,
          left.w * right.w - left.x * right.x - left.y * right.y - left.z * right.z};
}

Quat Normalised(Quat q) {
  const float length = std::sqrt(Dot(q, q));
  return {q.x / length, q.y / length, q.z / length, q.w / length};
}

// The rotation vector (half angle times axis) of a unit quaternion.
Vec3 Logarithm(Quat q) {
  const Vec3 axis{q.x, q.y, q.z};
  const float sine = Length(axis);
  if (sine < 1e-7f) return {};
  return axis * (portable::atan2(sine, q.w) / sine);
}

Quat Exponential(Vec3 halfAngleAxis) {
  const float angle = Length(halfAngleAxis);
  if (angle < 1e-7f) return {};
  const Vec3 axis = halfAngleAxis * (portable::sin(angle) / angle);
  return {axis.x, axis.y, axis.z, portable::cos(angle)};
}

// `q` or its negation, whichever lies on the same side as `reference`.
Quat Aligned(Quat q, Quat reference) { return Dot(q, reference) < 0 ? Negated(q) : q; }

}  // namespace

Quat AxisAngle(Vec3 axis, float angle) {
  const Vec3 unit = ::Normalised(axis) * portable::sin(angle / 2);
  return {unit.x, unit.y, unit.z, portable::cos(angle / 2)};
}

Quat Then(Quat first, Quat second) { return Product(second, first); }

Quat Conjugate(Quat q) { return {-q.x, -q.y, -q.z, q.w}; }

float Dot(Quat a, Quat b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }

Quat Negated(Quat q) { return {-q.x, -q.y, -q.z, -q.w}; }

Vec3 Rotate(Quat q, Vec3 v) {
  const Quat turned = Product(Product(q, {v.x, v.y, v.z, 0}), Conjugate(q));
  return {turned.x, turned.y, turned.z};
}

Quat FromBasis(Vec3 xAxis, Vec3 yAxis, Vec3 zAxis) {
  // m[row][column] of the matrix whose columns are the three axes.
  const float m00 = xAxis.x, m01 = yAxis.x, m02 = zAxis.x;
  const float m10 = xAxis.y, m11 = yAxis.y, m12 = zAxis.y;
  const float m20 = xAxis.z, m21 = yAxis.z, m22 = zAxis.z;
  const float trace = m00 + m11 + m22;
  Quat q;
  if (trace > 0) {
    const float s = std::sqrt(trace + 1) * 2;
    q = {(m21 - m12) / s, (m02 - m20) / s, (m10 - m01) / s, s / 4};
  } else if (m00 > m11 && m00 > m22) {
    const float s = std::sqrt(1 + m00 - m11 - m22) * 2;
    q = {s / 4, (m01 + m10) / s, (m02 + m20) / s, (m21 - m12) / s};
  } else if (m11 > m22) {
    const float s = std::sqrt(1 + m11 - m00 - m22) * 2;
    q = {(m01 + m10) / s, s / 4, (m12 + m21) / s, (m02 - m20) / s};
  } else {
    const float s = std::sqrt(1 + m22 - m00 - m11) * 2;
    q = {(m02 + m20) / s, (m12 + m21) / s, s / 4, (m10 - m01) / s};
  }
  return Normalised(q);
}

Quat Slerp(Quat from, Quat to, float t) {
  to = Aligned(to, from);
  const Vec3 step = Logarithm(Product(Conjugate(from), to));
  return Normalised(Product(from, Exponential(step * t)));
}

Quat SquadControl(Quat previous, Quat current, Quat next) {
  const Quat inverse = Conjugate(current);
  const Vec3 ahead = Logarithm(Product(inverse, Aligned(next, current)));
  const Vec3 behind = Logarithm(Product(inverse, Aligned(previous, current)));
  return Normalised(Product(current, Exponential((ahead + behind) * -0.25f)));
}

}  // namespace scenes
