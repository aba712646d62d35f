// The matrices that place things: translation, scaling, rotations and their compositions.
#include <cmath>

#include "render/d3dx/d3dx_maths.h"

namespace {

// Appends `next` to the chain of transforms in `chain`: it is applied after them.
void Then(D3DXMATRIX& chain, const D3DXMATRIX& next) { D3DXMatrixMultiply(&chain, &chain, &next); }

D3DXMATRIX Translation(const D3DXVECTOR3& offset) {
  D3DXMATRIX matrix;
  D3DXMatrixTranslation(&matrix, offset.x, offset.y, offset.z);
  return matrix;
}

D3DXMATRIX Rotation(const D3DXQUATERNION& q) {
  D3DXMATRIX matrix;
  D3DXMatrixRotationQuaternion(&matrix, &q);
  return matrix;
}

D3DXVECTOR3 Negated(const D3DXVECTOR3& v) { return {-v.x, -v.y, -v.z}; }

// Turns by `angle` within the plane of axes `a` and `b`, taking a towards b.
D3DXMATRIX* PlaneRotation(D3DXMATRIX* out, int a, int b, float angle) {
  if (D3DXMatrixIdentity(out) == nullptr) return nullptr;
  const float cosine = std::cos(angle), sine = std::sin(angle);
  out->m[a][a] = cosine;
  out->m[a][b] = sine;
  out->m[b][a] = -sine;
  out->m[b][b] = cosine;
  return out;
}

}  // namespace

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  if (D3DXMatrixIdentity(out) == nullptr) return nullptr;
  out->m[3][0] = x;
  out->m[3][1] = y;
  out->m[3][2] = z;
  return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z) {
  if (D3DXMatrixIdentity(out) == nullptr) return nullptr;
  out->m[0][0] = x;
  out->m[1][1] = y;
  out->m[2][2] = z;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle) {
  return PlaneRotation(out, 1, 2, angle);
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle) {
  return PlaneRotation(out, 2, 0, angle);
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle) {
  return PlaneRotation(out, 0, 1, angle);
}

D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle) {
  D3DXVECTOR3 n;
  if (D3DXVec3Normalize(&n, axis) == nullptr || D3DXMatrixIdentity(out) == nullptr) {
    return nullptr;
  }
  // Rodrigues' rotation formula, transposed because points are row vectors:
  // c I + (1 - c) n n^T, plus the sine terms that turn about n.
  const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
  const float axisIn[3] = {n.x, n.y, n.z};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      out->m[row][column] = t * axisIn[row] * axisIn[column] + (row == column ? c : 0.0f);
    }
  }
  out->m[0][1] += s * n.z;
  out->m[1][0] -= s * n.z;
  out->m[1][2] += s * n.x;
  out->m[2][1] -= s * n.x;
  out->m[2][0] += s * n.y;
  out->m[0][2] -= s * n.y;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q) {
  if (q == nullptr || D3DXMatrixIdentity(out) == nullptr) return nullptr;
  const float x = q->x, y = q->y, z = q->z, w = q->w;
  out->m[0][0] = 1.0f - 2.0f * (y * y + z * z);
  out->m[0][1] = 2.0f * (x * y + z * w);
  out->m[0][2] = 2.0f * (x * z - y * w);
  out->m[1][0] = 2.0f * (x * y - z * w);
  out->m[1][1] = 1.0f - 2.0f * (x * x + z * z);
  out->m[1][2] = 2.0f * (y * z + x * w);
  out->m[2][0] = 2.0f * (x * z + y * w);
  out->m[2][1] = 2.0f * (y * z - x * w);
  out->m[2][2] = 1.0f - 2.0f * (x * x + y * y);
  return out;
}

D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch,
                                           float roll) {
  if (D3DXMatrixRotationZ(out, roll) == nullptr) return nullptr;
  D3DXMATRIX turn;
  Then(*out, *D3DXMatrixRotationX(&turn, pitch));
  Then(*out, *D3DXMatrixRotationY(&turn, yaw));
  return out;
}

D3DXMATRIX* D3DXMatrixTransformation(D3DXMATRIX* out, const D3DXVECTOR3* scalingCenter,
                                     const D3DXQUATERNION* scalingRotation,
                                     const D3DXVECTOR3* scaling,
                                     const D3DXVECTOR3* rotationCenter,
                                     const D3DXQUATERNION* rotation,
                                     const D3DXVECTOR3* translation) {
  if (out == nullptr) return nullptr;
  // Built apart from `out`, which may alias an argument.
  D3DXMATRIX chain;
  D3DXMatrixIdentity(&chain);
  // Without a scaling the steps around it cancel out, and likewise for the rotation.
  if (scaling != nullptr) {
    if (scalingCenter != nullptr) Then(chain, Translation(Negated(*scalingCenter)));
    if (scalingRotation != nullptr) {
      const D3DXQUATERNION& q = *scalingRotation;
      Then(chain, Rotation({-q.x, -q.y, -q.z, q.w}));
    }
    D3DXMATRIX scale;
    Then(chain, *D3DXMatrixScaling(&scale, scaling->x, scaling->y, scaling->z));
    if (scalingRotation != nullptr) Then(chain, Rotation(*scalingRotation));
    if (scalingCenter != nullptr) Then(chain, Translation(*scalingCenter));
  }
  if (rotation != nullptr) {
    if (rotationCenter != nullptr) Then(chain, Translation(Negated(*rotationCenter)));
    Then(chain, Rotation(*rotation));
    if (rotationCenter != nullptr) Then(chain, Translation(*rotationCenter));
  }
  if (translation != nullptr) Then(chain, Translation(*translation));
  *out = chain;
  return out;
}

D3DXMATRIX* D3DXMatrixAffineTransformation(D3DXMATRIX* out, float scaling,
                                           const D3DXVECTOR3* rotationCenter,
                                           const D3DXQUATERNION* rotation,
                                           const D3DXVECTOR3* translation) {
  const D3DXVECTOR3 uniform{scaling, scaling, scaling};
  return D3DXMatrixTransformation(out, nullptr, nullptr, &uniform, rotationCenter, rotation,
                                  translation);
}
