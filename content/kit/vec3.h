#pragma once
// The vector arithmetic of the mesh and scene builders, and the conversion to the scene
// format's vector type.
#include <cmath>

#include "render/d3d/d3d_types.h"

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 v) { return {-v.x, -v.y, -v.z}; }
inline Vec3 operator*(Vec3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline Vec3 operator*(float s, Vec3 v) { return v * s; }
// Componentwise product.
inline Vec3 Scale(Vec3 a, Vec3 b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vec3 v) { return std::sqrt(Dot(v, v)); }
// The unit vector along `v`; a zero vector stays zero.
inline Vec3 Normalised(Vec3 v) {
  const float length = Length(v);
  return length > 0 ? v * (1 / length) : v;
}
inline Vec3 Lerp(Vec3 a, Vec3 b, float t) { return a + (b - a) * t; }

inline D3DXVECTOR3 ToD3D(Vec3 v) { return {v.x, v.y, v.z}; }
