#pragma once
// Matrix helpers of the 3D utility layer. Left-handed coordinates, row vectors: a point
// p is transformed as p * M, so M1 * M2 applies M1 first. Each function returns its `out`
// pointer, or null when it fails or a pointer it needs is null; `out` may be one of the
// inputs. The vector and quaternion helpers come with this header, as parts expect.
#include "render/d3d/d3d_types.h"
#include "render/d3dx/d3dx_quaternion.h"
#include "render/d3dx/d3dx_vector.h"

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// out = m1 * m2
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2);
// The inverse of `m`. Its determinant goes to `determinant` when that is not null, even
// when it is zero (or overflows); then there is no inverse, the result is null and `out`
// is left as it was.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
// This library version takes the aspect as height / width and scales x by
// cot(fovY / 2) * aspect; y is scaled by cot(fovY / 2); z maps near..far to 0..1.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear,
                                       float zFar);

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z);

// Rotations by `angle` radians in the left-handed sense: about x, y turns towards z; about
// y, z turns towards x; about z, x turns towards y. So RotationY(pi / 2) takes +x to -z.
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
// About `axis`, which need not be of unit length.
D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle);
// The rotation of a unit quaternion.
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);
// Roll about z first, then pitch about x, then yaw about y.
D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch,
                                           float roll);

// Tsc^-1 * Rsc^-1 * S * Rsc * Tsc * Trc^-1 * R * Trc * T: scaling by `scaling` along the
// axes turned by `scalingRotation` about `scalingCenter`, then rotating by `rotation`
// about `rotationCenter`, then moving by `translation`. Any argument may be null and then
// stands for no change. `scalingRotation` is taken to be of unit length, so that its
// conjugate undoes it; `rotation` is used as given.
D3DXMATRIX* D3DXMatrixTransformation(D3DXMATRIX* out, const D3DXVECTOR3* scalingCenter,
                                     const D3DXQUATERNION* scalingRotation,
                                     const D3DXVECTOR3* scaling,
                                     const D3DXVECTOR3* rotationCenter,
                                     const D3DXQUATERNION* rotation,
                                     const D3DXVECTOR3* translation);
// S * Trc^-1 * R * Trc * T with a uniform `scaling`; null arguments stand for no change
// and `rotation` is used as given.
D3DXMATRIX* D3DXMatrixAffineTransformation(D3DXMATRIX* out, float scaling,
                                           const D3DXVECTOR3* rotationCenter,
                                           const D3DXQUATERNION* rotation,
                                           const D3DXVECTOR3* translation);
