// The matrix helpers, checked against values worked out by hand.
#include <numbers>

#include <gtest/gtest.h>

#include "render/d3dx_maths.h"

namespace {

struct Point4 {
  float x, y, z, w;
};

// A row vector times the matrix, as the device transforms points.
Point4 Transform(const D3DXVECTOR3& p, const D3DXMATRIX& m) {
  const float in[4] = {p.x, p.y, p.z, 1.0f};
  float out[4] = {};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) out[column] += in[row] * m.m[row][column];
  }
  return {out[0], out[1], out[2], out[3]};
}

D3DXMATRIX Translation(float x, float y, float z) {
  return {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}}};
}

void ExpectMatrixNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected) {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_NEAR(actual.m[row][column], expected.m[row][column], 1e-5f)
          << "element " << row + 1 << column + 1;
    }
  }
}

}  // namespace

// Scaling by (2, 3, 4) then moving by (5, 6, 7), and the other way round.
TEST(MatrixMultiply, AppliesTheLeftMatrixFirstAndMayWriteOverAnInput) {
  const D3DXMATRIX scale{{{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}, {0, 0, 0, 1}}};
  const D3DXMATRIX move = Translation(5, 6, 7);
  D3DXMATRIX left = scale, right = scale, both = move;
  EXPECT_EQ(D3DXMatrixMultiply(&left, &left, &move), &left);
  ExpectMatrixNear(left, {{{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}, {5, 6, 7, 1}}});
  D3DXMatrixMultiply(&right, &move, &right);
  ExpectMatrixNear(right, {{{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}, {10, 18, 28, 1}}});
  D3DXMatrixMultiply(&both, &both, &both);
  ExpectMatrixNear(both, Translation(10, 12, 14));
  EXPECT_EQ(D3DXMatrixMultiply(&both, nullptr, &both), nullptr);
}

TEST(LookAt, DemoCameraLooksAlongZFromSixtyUnitsBack) {
  const D3DXVECTOR3 eye{0, 0, -60}, at{0, 0, 0}, up{0, 1, 0};
  D3DXMATRIX view;
  EXPECT_EQ(D3DXMatrixLookAtLH(&view, &eye, &at, &up), &view);
  ExpectMatrixNear(view, Translation(0, 0, 60));
}

TEST(LookAt, PutsTheEyeAtTheOriginAndTheTargetAhead) {
  const D3DXVECTOR3 eye{3, 4, 5}, at{6, 0, 5}, up{0, 0, 1};
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  const Point4 eyeInView = Transform(eye, view);
  EXPECT_NEAR(eyeInView.x, 0.0f, 1e-5f);
  EXPECT_NEAR(eyeInView.y, 0.0f, 1e-5f);
  EXPECT_NEAR(eyeInView.z, 0.0f, 1e-5f);
  // The target is 5 units away (a 3-4-5 triangle), straight ahead.
  const Point4 atInView = Transform(at, view);
  EXPECT_NEAR(atInView.x, 0.0f, 1e-5f);
  EXPECT_NEAR(atInView.z, 5.0f, 1e-5f);
  // Up stays up, and right, up and ahead form the same kind of basis as x, y and z:
  // right x up = ahead gives right = (0.8, 0.6, 0) for ahead = (0.6, -0.8, 0) and up = z.
  EXPECT_NEAR(Transform({3, 4, 6}, view).y, 1.0f, 1e-5f);
  EXPECT_NEAR(Transform({3 + 0.8f, 4 + 0.6f, 5}, view).x, 1.0f, 1e-5f);
}

// The demo's projection: a 90-degree field of view reaches y = z, and the aspect
// (height / width) narrows x; depth runs 0 at the near plane to 1 at the far one.
TEST(PerspectiveFov, MapsTheDemoFrustum) {
  D3DXMATRIX projection;
  EXPECT_EQ(D3DXMatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 2, 0.75f,
                                       0.1f, 5000.0f),
            &projection);
  EXPECT_NEAR(projection.m[0][0], 0.75f, 1e-6f);
  const Point4 nearPoint = Transform({0, 0, 0.1f}, projection);
  EXPECT_NEAR(nearPoint.z / nearPoint.w, 0.0f, 1e-5f);
  const Point4 farPoint = Transform({0, 0, 5000.0f}, projection);
  EXPECT_NEAR(farPoint.z / farPoint.w, 1.0f, 1e-5f);
  const Point4 corner = Transform({10, 10, 10}, projection);
  EXPECT_NEAR(corner.x / corner.w, 0.75f, 1e-5f);
  EXPECT_NEAR(corner.y / corner.w, 1.0f, 1e-5f);
}
