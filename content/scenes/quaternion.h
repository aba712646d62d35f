#pragma once
// Rotations for the scene builders: unit quaternions that turn vectors the way the scene
// format's rotations do (the vector part is sin(a/2) times the axis, w is cos(a/2)).
#include "render/d3d/d3d_types.h"
#include "kit/vec3.h"

namespace scenes {

struct Quat {
  float x = 0, y = 0, z = 0, w = 1;
};

// The turn by `angle` radians about `axis` (any length), in the left-handed sense of the
// scene's matrices: about y, z turns towards x.
Quat AxisAngle(Vec3 axis, float angle);
// The rotation `first` followed by `second`.
Quat Then(Quat first, Quat second);
Quat Conjugate(Quat q);
float Dot(Quat a, Quat b);
Quat Negated(Quat q);
Vec3 Rotate(Quat q, Vec3 v);
// The rotation that takes the x, y and z axes to `xAxis`, `yAxis` and `zAxis` (an
// orthonormal, left-handed basis).
Quat FromBasis(Vec3 xAxis, Vec3 yAxis, Vec3 zAxis);
// The rotation that turns `from` by the fraction `t` of the way to `to` along the shorter
// arc; `t` outside 0..1 extrapolates along the same arc.
Quat Slerp(Quat from, Quat to, float t);
// The inner control point of `current` for spherical quadrangle interpolation through
// `previous`, `current` and `next`, which makes the motion through `current` smooth.
Quat SquadControl(Quat previous, Quat current, Quat next);

inline D3DXQUATERNION ToD3D(Quat q) { return {q.x, q.y, q.z, q.w}; }

}  // namespace scenes
