// The quaternion helpers, checked against rotations worked out by hand and against the
// rotation matrices.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "render/d3dx/d3dx_maths.h"
#include "render/maths_expectations.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

D3DXQUATERNION AboutAxis(const D3DXVECTOR3& axis, float angle) {
  D3DXQUATERNION q;
  D3DXQuaternionRotationAxis(&q, &axis, angle);
  return q;
}

D3DXVECTOR3 Rotated(const D3DXVECTOR3& v, const D3DXQUATERNION& q) {
  D3DXMATRIX m;
  D3DXVECTOR3 out;
  D3DXVec3TransformCoord(&out, &v, D3DXMatrixRotationQuaternion(&m, &q));
  return out;
}

}  // namespace

TEST(Quaternion, RotationAxisHalvesTheAngleAndNormalizesTheAxis) {
  ExpectXyzwNear(AboutAxis({0, 0, 2}, kPi / 2),
                 {0, 0, std::sin(kPi / 4), std::cos(kPi / 4)});
  D3DXQUATERNION identity{1, 2, 3, 4};
  ExpectXyzwNear(*D3DXQuaternionIdentity(&identity), {0, 0, 0, 1});
}

TEST(Quaternion, ItsMatrixIsTheRotationAboutTheSameAxis) {
  const D3DXVECTOR3 axis{1, 2, -2};
  const D3DXQUATERNION q = AboutAxis(axis, 0.8f);
  D3DXMATRIX fromQuaternion, aboutAxis;
  ASSERT_EQ(D3DXMatrixRotationQuaternion(&fromQuaternion, &q), &fromQuaternion);
  ExpectMatrixNear(fromQuaternion, *D3DXMatrixRotationAxis(&aboutAxis, &axis, 0.8f));
}

// A quarter turn about x takes (x, y, z) to (x, -z, y); one about y takes it to (z, y, -x).
// So (1, 2, 3) goes to (1, -3, 2), then to (2, -3, -1).
TEST(Quaternion, MultiplyAppliesTheFirstRotationFirst) {
  D3DXQUATERNION q = AboutAxis({1, 0, 0}, kPi / 2);
  const D3DXQUATERNION aboutY = AboutAxis({0, 1, 0}, kPi / 2);
  ASSERT_EQ(D3DXQuaternionMultiply(&q, &q, &aboutY), &q);
  ExpectVectorNear(Rotated({1, 2, 3}, q), {2, -3, -1});

  D3DXMATRIX rotX, rotY, product, fromQuaternion;
  D3DXMatrixMultiply(&product, D3DXMatrixRotationX(&rotX, kPi / 2),
                     D3DXMatrixRotationY(&rotY, kPi / 2));
  ExpectMatrixNear(*D3DXMatrixRotationQuaternion(&fromQuaternion, &q), product);
}

TEST(Quaternion, NormalizeScalesToUnitLengthAndKeepsZero) {
  D3DXQUATERNION q{1, 2, 2, 4};  // length 5
  ASSERT_EQ(D3DXQuaternionNormalize(&q, &q), &q);
  ExpectXyzwNear(q, {0.2f, 0.4f, 0.4f, 0.8f});
  const D3DXQUATERNION zero{0, 0, 0, 0};
  ExpectXyzwNear(*D3DXQuaternionNormalize(&q, &zero), zero);
}

TEST(QuaternionSlerp, TurnsAtAnEvenPaceBetweenTheEnds) {
  D3DXQUATERNION start, out;
  D3DXQuaternionIdentity(&start);
  const D3DXQUATERNION end = AboutAxis({0, 0, 1}, kPi / 2);
  ExpectXyzwNear(*D3DXQuaternionSlerp(&out, &start, &end, 0), start);
  ExpectXyzwNear(*D3DXQuaternionSlerp(&out, &start, &end, 1), end);
  // A third of the way through a quarter turn is 30 degrees.
  ExpectXyzwNear(*D3DXQuaternionSlerp(&out, &start, &end, 1.0f / 3),
                 AboutAxis({0, 0, 1}, kPi / 6));
}

TEST(QuaternionSlerp, TakesTheShorterWayAndCopesWithEqualEnds) {
  D3DXQUATERNION start, out;
  D3DXQuaternionIdentity(&start);
  // -q is the same quarter turn, written on the far side of the sphere.
  const D3DXQUATERNION q = AboutAxis({0, 0, 1}, kPi / 2);
  const D3DXQUATERNION negated{-q.x, -q.y, -q.z, -q.w};
  ExpectXyzwNear(*D3DXQuaternionSlerp(&out, &start, &negated, 0.5f),
                 AboutAxis({0, 0, 1}, kPi / 4));
  ExpectXyzwNear(*D3DXQuaternionSlerp(&out, &q, &q, 0.3f), q);
}
