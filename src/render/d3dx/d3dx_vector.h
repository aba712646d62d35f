#pragma once
// Vector helpers of the 3D utility layer. Each returns its `out` pointer, or null when a
// pointer it needs is null; `out` may be one of the inputs.
#include "render/d3d/d3d_types.h"

// The unit vector along `v`; a zero vector stays zero.
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
// Zero for a null vector.
float D3DXVec3Length(const D3DXVECTOR3* v);
float D3DXVec3Dot(const D3DXVECTOR3* v1, const D3DXVECTOR3* v2);
// v1 - v2.
D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2);
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2);
// The cubic Hermite curve from `p1` (tangent `t1`) at s = 0 to `p2` (tangent `t2`) at s = 1.
D3DXVECTOR3* D3DXVec3Hermite(D3DXVECTOR3* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* t1,
                             const D3DXVECTOR3* p2, const D3DXVECTOR3* t2, float s);
// (x, y, z, 1) * m.
D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
// (x, y, z, 1) * m, divided by its w. A point that lands on w = 0 (the eye plane of a
// projection) comes out infinite or NaN, as the division gives.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v,
                                    const D3DXMATRIX* m);
