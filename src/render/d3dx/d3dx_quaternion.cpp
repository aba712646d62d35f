#include "render/d3dx/d3dx_quaternion.h"

#include <cmath>

#include "render/d3dx/d3dx_vector.h"

namespace {

float Dot(const D3DXQUATERNION& a, const D3DXQUATERNION& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

// wa a + wb b
D3DXQUATERNION Blend(float wa, const D3DXQUATERNION& a, float wb, const D3DXQUATERNION& b) {
  return {wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w};
}

}  // namespace

D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* out) {
  if (out == nullptr) return nullptr;
  *out = {0.0f, 0.0f, 0.0f, 1.0f};
  return out;
}

D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* out, const D3DXVECTOR3* axis,
                                           float angle) {
  D3DXVECTOR3 unit;
  if (out == nullptr || D3DXVec3Normalize(&unit, axis) == nullptr) return nullptr;
  const float halfSine = std::sin(angle / 2.0f);
  *out = {halfSine * unit.x, halfSine * unit.y, halfSine * unit.z, std::cos(angle / 2.0f)};
  return out;
}

D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                       const D3DXQUATERNION* q2) {
  if (out == nullptr || q1 == nullptr || q2 == nullptr) return nullptr;
  // The product a b with a = q2, b = q1: vector part wa vb + wb va + va x vb, scalar
  // part wa wb - va . vb.
  const D3DXQUATERNION& a = *q2;
  const D3DXQUATERNION& b = *q1;
  *out = {a.w * b.x + b.w * a.x + (a.y * b.z - a.z * b.y),
          a.w * b.y + b.w * a.y + (a.z * b.x - a.x * b.z),
          a.w * b.z + b.w * a.z + (a.x * b.y - a.y * b.x),
          a.w * b.w - (a.x * b.x + a.y * b.y + a.z * b.z)};
  return out;
}

D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  if (out == nullptr || q == nullptr) return nullptr;
  const float length = std::sqrt(Dot(*q, *q));
  const float scale = length == 0.0f ? 0.0f : 1.0f / length;
  *out = {scale * q->x, scale * q->y, scale * q->z, scale * q->w};
  return out;
}

D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                    const D3DXQUATERNION* q2, float t) {
  if (out == nullptr || q1 == nullptr || q2 == nullptr) return nullptr;
  // q and -q are the same rotation: pick the sign of q2 that lies nearer q1.
  float cosine = Dot(*q1, *q2);
  const float sign = cosine < 0.0f ? -1.0f : 1.0f;
  cosine *= sign;
  float weight1 = 1.0f - t, weight2 = t;
  // Nearly equal rotations: the sines below vanish, and a straight blend is as good.
  if (cosine < 0.9999f) {
    const float angle = std::acos(cosine);
    const float sine = std::sin(angle);
    weight1 = std::sin((1.0f - t) * angle) / sine;
    weight2 = std::sin(t * angle) / sine;
  }
  *out = Blend(weight1, *q1, sign * weight2, *q2);
  return out;
}
