#include "render/d3dx_maths.h"

#include <cmath>

namespace {

D3DXVECTOR3 Subtract(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A zero vector stays zero rather than turning into NaNs.
D3DXVECTOR3 Normalize(const D3DXVECTOR3& v) {
  const float length = std::sqrt(Dot(v, v));
  if (length == 0.0f) return v;
  return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

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

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  if (out == nullptr || eye == nullptr || at == nullptr || up == nullptr) return nullptr;
  const D3DXVECTOR3 zAxis = Normalize(Subtract(*at, *eye));
  const D3DXVECTOR3 xAxis = Normalize(Cross(*up, zAxis));
  const D3DXVECTOR3 yAxis = Cross(zAxis, xAxis);
  // The axes are the matrix's columns: a point's view coordinates are its offsets from
  // the eye along each axis.
  *out = {{{xAxis.x, yAxis.x, zAxis.x, 0.0f},
           {xAxis.y, yAxis.y, zAxis.y, 0.0f},
           {xAxis.z, yAxis.z, zAxis.z, 0.0f},
           {-Dot(xAxis, *eye), -Dot(yAxis, *eye), -Dot(zAxis, *eye), 1.0f}}};
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
