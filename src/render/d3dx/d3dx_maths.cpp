#include "render/d3dx/d3dx_maths.h"

#include <cmath>

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
  if (out == nullptr) return nullptr;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) out->m[row][column] = row == column ? 1.0f : 0.0f;
  }
  return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2) {
  if (out == nullptr || m1 == nullptr || m2 == nullptr) return nullptr;
  // Built apart from `out`, which may be one of the inputs.
  D3DXMATRIX product;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += m1->m[row][k] * m2->m[k][column];
      product.m[row][column] = sum;
    }
  }
  *out = product;
  return out;
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m) {
  if (out == nullptr || m == nullptr) return nullptr;
  // Worked in double so that near-singular matrices keep what precision they have.
  double a[4][4];
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) a[row][column] = m->m[row][column];
  }
  // 2x2 minors of the top two rows (s) and of the bottom two rows (c); the minor of
  // columns i, j on top pairs with the minor of the two other columns below (Laplace
  // expansion along the top two rows).
  const double s01 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
  const double s02 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
  const double s03 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
  const double s12 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
  const double s13 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
  const double s23 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
  const double c01 = a[2][0] * a[3][1] - a[3][0] * a[2][1];
  const double c02 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
  const double c03 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
  const double c12 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
  const double c13 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
  const double c23 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
  const double det =
      s01 * c23 - s02 * c13 + s03 * c12 + s12 * c03 - s13 * c02 + s23 * c01;
  if (determinant != nullptr) *determinant = static_cast<float>(det);
  if (det == 0.0 || !std::isfinite(det)) return nullptr;

  // The adjugate (transposed cofactors), each cofactor expanded from the minors above.
  const double adjugate[4][4] = {
      {a[1][1] * c23 - a[1][2] * c13 + a[1][3] * c12,
       -a[0][1] * c23 + a[0][2] * c13 - a[0][3] * c12,
       a[3][1] * s23 - a[3][2] * s13 + a[3][3] * s12,
       -a[2][1] * s23 + a[2][2] * s13 - a[2][3] * s12},
      {-a[1][0] * c23 + a[1][2] * c03 - a[1][3] * c02,
       a[0][0] * c23 - a[0][2] * c03 + a[0][3] * c02,
       -a[3][0] * s23 + a[3][2] * s03 - a[3][3] * s02,
       a[2][0] * s23 - a[2][2] * s03 + a[2][3] * s02},
      {a[1][0] * c13 - a[1][1] * c03 + a[1][3] * c01,
       -a[0][0] * c13 + a[0][1] * c03 - a[0][3] * c01,
       a[3][0] * s13 - a[3][1] * s03 + a[3][3] * s01,
       -a[2][0] * s13 + a[2][1] * s03 - a[2][3] * s01},
      {-a[1][0] * c12 + a[1][1] * c02 - a[1][2] * c01,
       a[0][0] * c12 - a[0][1] * c02 + a[0][2] * c01,
       -a[3][0] * s12 + a[3][1] * s02 - a[3][2] * s01,
       a[2][0] * s12 - a[2][1] * s02 + a[2][2] * s01},
  };
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      out->m[row][column] = static_cast<float>(adjugate[row][column] / det);
    }
  }
  return out;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  if (out == nullptr || eye == nullptr || at == nullptr || up == nullptr) return nullptr;
  D3DXVECTOR3 xAxis, yAxis, zAxis{at->x - eye->x, at->y - eye->y, at->z - eye->z};
  D3DXVec3Normalize(&zAxis, &zAxis);
  D3DXVec3Normalize(&xAxis, D3DXVec3Cross(&xAxis, up, &zAxis));
  D3DXVec3Cross(&yAxis, &zAxis, &xAxis);
  // The axes are the matrix's columns: a point's view coordinates are its offsets from
  // the eye along each axis.
  *out = {{{xAxis.x, yAxis.x, zAxis.x, 0.0f},
           {xAxis.y, yAxis.y, zAxis.y, 0.0f},
           {xAxis.z, yAxis.z, zAxis.z, 0.0f},
           {-D3DXVec3Dot(&xAxis, eye), -D3DXVec3Dot(&yAxis, eye), -D3DXVec3Dot(&zAxis, eye),
            1.0f}}};
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear,
                                       float zFar) {
  if (out == nullptr) return nullptr;
  const float yScale = 1.0f / std::tan(fovY / 2.0f);
  const float xScale = yScale * aspect;
  const float depthScale = zFar / (zFar - zNear);
  *out = {{{xScale, 0.0f, 0.0f, 0.0f},
           {0.0f, yScale, 0.0f, 0.0f},
           {0.0f, 0.0f, depthScale, 1.0f},
           {0.0f, 0.0f, -zNear * depthScale, 0.0f}}};
  return out;
}
