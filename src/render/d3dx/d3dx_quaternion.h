#pragma once
// Rotation quaternions of the 3D utility layer. A unit quaternion (sin(a/2) n, cos(a/2))
// turns points by angle `a` about axis `n`, the same way D3DXMatrixRotationAxis(n, a)
// does. Each function returns its `out` pointer, or null when a pointer it needs is null;
// `out` may be one of the inputs.
#include "render/d3d/d3d_types.h"

D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* out);
// The turn by `angle` radians about `axis`, which need not be of unit length.
D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* out, const D3DXVECTOR3* axis,
                                           float angle);
// The rotation `q1` followed by `q2`: the quaternion product q2 q1.
D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                       const D3DXQUATERNION* q2);
// `q` scaled to unit length; a zero quaternion stays zero.
D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q);
// Spherical interpolation from `q1` (t = 0) to `q2` (t = 1) at constant angular speed,
// along the shorter of the two arcs between the rotations.
D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                    const D3DXQUATERNION* q2, float t);
