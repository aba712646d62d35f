#include "render/d3dx/d3dx_vector.h"

#include <cmath>

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v) {
  if (out == nullptr || v == nullptr) return nullptr;
  const float length = D3DXVec3Length(v);
  if (length == 0.0f) {
    *out = {0.0f, 0.0f, 0.0f};
  } else {
    *out = {v->x / length, v->y / length, v->z / length};
  }
  return out;
}

float D3DXVec3Length(const D3DXVECTOR3* v) {
  return v == nullptr ? 0.0f : std::sqrt(D3DXVec3Dot(v, v));
}

float D3DXVec3Dot(const D3DXVECTOR3* v1, const D3DXVECTOR3* v2) {
  if (v1 == nullptr || v2 == nullptr) return 0.0f;
  return v1->x * v2->x + v1->y * v2->y + v1->z * v2->z;
}

D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2) {
  if (out == nullptr || v1 == nullptr || v2 == nullptr) return nullptr;
  *out = {v1->x - v2->x, v1->y - v2->y, v1->z - v2->z};
  return out;
}

D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2) {
  if (out == nullptr || v1 == nullptr || v2 == nullptr) return nullptr;
  *out = {v1->y * v2->z - v1->z * v2->y, v1->z * v2->x - v1->x * v2->z,
          v1->x * v2->y - v1->y * v2->x};
  return out;
}

D3DXVECTOR3* D3DXVec3Hermite(D3DXVECTOR3* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* t1,
                             const D3DXVECTOR3* p2, const D3DXVECTOR3* t2, float s) {
  if (out == nullptr || p1 == nullptr || t1 == nullptr || p2 == nullptr || t2 == nullptr) {
    return nullptr;
  }
  const float s2 = s * s, s3 = s2 * s;
  // The Hermite basis: h1 and h3 carry the end points, h2 and h4 the tangents.
  const float h1 = 2.0f * s3 - 3.0f * s2 + 1.0f;
  const float h2 = s3 - 2.0f * s2 + s;
  const float h3 = -2.0f * s3 + 3.0f * s2;
  const float h4 = s3 - s2;
  *out = {h1 * p1->x + h2 * t1->x + h3 * p2->x + h4 * t2->x,
          h1 * p1->y + h2 * t1->y + h3 * p2->y + h4 * t2->y,
          h1 * p1->z + h2 * t1->z + h3 * p2->z + h4 * t2->z};
  return out;
}

D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  if (out == nullptr || v == nullptr || m == nullptr) return nullptr;
  const float in[4] = {v->x, v->y, v->z, 1.0f};
  float result[4] = {};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) result[column] += in[row] * m->m[row][column];
  }
  *out = {result[0], result[1], result[2], result[3]};
  return out;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v,
                                    const D3DXMATRIX* m) {
  D3DXVECTOR4 homogeneous;
  if (out == nullptr || D3DXVec3Transform(&homogeneous, v, m) == nullptr) return nullptr;
  *out = {homogeneous.x / homogeneous.w, homogeneous.y / homogeneous.w,
          homogeneous.z / homogeneous.w};
  return out;
}
