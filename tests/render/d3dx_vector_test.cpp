// The vector helpers, checked against values worked out by hand.
#include <utility>

#include <gtest/gtest.h>

#include "render/d3dx/d3dx_maths.h"
#include "render/maths_expectations.h"

TEST(Vec3, LengthDotAndNormalize) {
  const D3DXVECTOR3 v{2, 3, 6};
  EXPECT_NEAR(D3DXVec3Length(&v), 7.0f, kMathsTolerance);
  const D3DXVECTOR3 a{1, 2, 3}, b{4, -5, 6};
  EXPECT_NEAR(D3DXVec3Dot(&a, &b), 12.0f, kMathsTolerance);

  D3DXVECTOR3 unit{3, 0, 4};
  ASSERT_EQ(D3DXVec3Normalize(&unit, &unit), &unit);
  ExpectVectorNear(unit, {0.6f, 0, 0.8f});
  const D3DXVECTOR3 zero{0, 0, 0};
  ExpectVectorNear(*D3DXVec3Normalize(&unit, &zero), zero);
  EXPECT_EQ(D3DXVec3Normalize(&unit, nullptr), nullptr);
}

TEST(Vec3, CrossFollowsTheAxisOrderAndMayOverwriteAnInput) {
  const D3DXVECTOR3 x{1, 0, 0}, y{0, 1, 0};
  D3DXVECTOR3 out;
  ExpectVectorNear(*D3DXVec3Cross(&out, &x, &y), {0, 0, 1});
  ExpectVectorNear(*D3DXVec3Cross(&out, &y, &x), {0, 0, -1});
  // (2*6 - 3*5, 3*4 - 1*6, 1*5 - 2*4)
  D3DXVECTOR3 a{1, 2, 3};
  const D3DXVECTOR3 b{4, 5, 6};
  ASSERT_EQ(D3DXVec3Cross(&a, &a, &b), &a);
  ExpectVectorNear(a, {-3, 6, -3});
}

TEST(Vec3Hermite, PassesThroughTheEndsWithTheGivenTangents) {
  const D3DXVECTOR3 p1{0, 0, 0}, t1{1, 0, 0}, p2{1, 1, 0}, t2{0, 1, 0};
  D3DXVECTOR3 at;
  ExpectVectorNear(*D3DXVec3Hermite(&at, &p1, &t1, &p2, &t2, 0), p1);
  ExpectVectorNear(*D3DXVec3Hermite(&at, &p1, &t1, &p2, &t2, 1), p2);
  // Basis at s = 1/2: 1/2, 1/8, 1/2, -1/8.
  ExpectVectorNear(*D3DXVec3Hermite(&at, &p1, &t1, &p2, &t2, 0.5f), {0.625f, 0.375f, 0});

  // The slope at each end, by a central difference.
  const float h = 1e-3f;
  D3DXVECTOR3 before, after;
  const std::pair<float, D3DXVECTOR3> ends[] = {{0.0f, t1}, {1.0f, t2}};
  for (const auto& [s, tangent] : ends) {
    D3DXVec3Hermite(&before, &p1, &t1, &p2, &t2, s - h);
    D3DXVec3Hermite(&after, &p1, &t1, &p2, &t2, s + h);
    EXPECT_NEAR((after.x - before.x) / (2 * h), tangent.x, 1e-3f) << "s = " << s;
    EXPECT_NEAR((after.y - before.y) / (2 * h), tangent.y, 1e-3f) << "s = " << s;
  }
}

// A matrix that moves by (5, 6, 7) and copies z into w, as a projection does.
TEST(Vec3Transform, KeepsWAndTransformCoordDividesByIt) {
  const D3DXMATRIX m{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 1}, {5, 6, 7, 0}}};
  const D3DXVECTOR3 v{1, 2, 3};
  D3DXVECTOR4 homogeneous;
  ASSERT_EQ(D3DXVec3Transform(&homogeneous, &v, &m), &homogeneous);
  ExpectXyzwNear(homogeneous, {6, 8, 10, 3});
  D3DXVECTOR3 coord = v;
  ASSERT_EQ(D3DXVec3TransformCoord(&coord, &coord, &m), &coord);
  ExpectVectorNear(coord, {2, 8.0f / 3, 10.0f / 3});

  const D3DXMATRIX move{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {5, 6, 7, 1}}};
  ExpectXyzwNear(*D3DXVec3Transform(&homogeneous, &v, &move), {6, 8, 10, 1});
  EXPECT_EQ(D3DXVec3TransformCoord(&coord, &v, nullptr), nullptr);
}
