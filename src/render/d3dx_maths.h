#pragma once
// Matrix helpers of the 3D utility layer. Left-handed coordinates, row vectors: a point
// p is transformed as p * M, so M1 * M2 applies M1 first.
#include "render/d3d_types.h"

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// out = m1 * m2; out may alias either input.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2);
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
// This library version takes the aspect as height / width and scales x by
// cot(fovY / 2) * aspect; y is scaled by cot(fovY / 2); z maps near..far to 0..1.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear,
                                       float zFar);
