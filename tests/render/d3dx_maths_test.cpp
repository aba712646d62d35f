// The matrix helpers, checked against values worked out by hand.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "render/d3dx/d3dx_maths.h"
#include "render/maths_expectations.h"

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

// Where an affine matrix takes the point `p` (its w stays 1).
D3DXVECTOR3 Moved(const D3DXVECTOR3& p, const D3DXMATRIX& m) {
  const Point4 moved = Transform(p, m);
  return {moved.x, moved.y, moved.z};
}

D3DXMATRIX Scaling(float x, float y, float z) {
  return {{{x, 0, 0, 0}, {0, y, 0, 0}, {0, 0, z, 0}, {0, 0, 0, 1}}};
}

constexpr float kPi = std::numbers::pi_v<float>;

}  // namespace

// Scaling by (2, 3, 4) then moving by (5, 6, 7), and the other way round.
TEST(MatrixMultiply, AppliesTheLeftMatrixFirstAndMayWriteOverAnInput) {
  const D3DXMATRIX scale = Scaling(2, 3, 4);
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
  EXPECT_EQ(D3DXMatrixPerspectiveFovLH(&projection, kPi / 2, 0.75f,
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

// A full matrix built as L * U, so that its determinant is the product of U's diagonal:
// 2 * -3 * 0.5 * 5 = -15.
TEST(MatrixInverse, UndoesAFullMatrixAndReportsItsDeterminant) {
  const D3DXMATRIX lower{{{1, 0, 0, 0}, {2, 1, 0, 0}, {-1, 3, 1, 0}, {4, -2, 5, 1}}};
  const D3DXMATRIX upper{{{2, 1, -1, 3}, {0, -3, 2, 1}, {0, 0, 0.5f, 4}, {0, 0, 0, 5}}};
  D3DXMATRIX m, inverse, product, identity;
  D3DXMatrixMultiply(&m, &lower, &upper);
  D3DXMatrixIdentity(&identity);
  float determinant = 0.0f;
  ASSERT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), &inverse);
  EXPECT_NEAR(determinant, -15.0f, 1e-4f);
  // The products sum terms of up to a few hundred in floats.
  ExpectMatrixNear(*D3DXMatrixMultiply(&product, &inverse, &m), identity, 1e-4f);
  ExpectMatrixNear(*D3DXMatrixMultiply(&product, &m, &inverse), identity, 1e-4f);

  // In place, and without asking for the determinant.
  ASSERT_EQ(D3DXMatrixInverse(&m, nullptr, &m), &m);
  ExpectMatrixNear(m, inverse);
  const D3DXMATRIX move = Translation(1, 2, 3);
  ExpectMatrixNear(*D3DXMatrixInverse(&inverse, nullptr, &move), Translation(-1, -2, -3));
}

TEST(MatrixInverse, ASingularMatrixFailsAndLeavesTheOutputAlone) {
  // The third row is twice the first.
  const D3DXMATRIX singular{{{1, 2, 3, 4}, {0, 1, 5, 2}, {2, 4, 6, 8}, {7, 1, 0, 3}}};
  D3DXMATRIX out = Translation(9, 9, 9);
  float determinant = 1.0f;
  EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &singular), nullptr);
  EXPECT_EQ(determinant, 0.0f);
  ExpectMatrixNear(out, Translation(9, 9, 9));
  const D3DXMATRIX flatten = Scaling(1, 0, 1);
  EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &flatten), nullptr);
}

// Left-handed turns: about x, y goes to z; about y, z goes to x; about z, x goes to y.
TEST(MatrixRotation, QuarterTurnsMoveTheAxesTheLeftHandedWay) {
  D3DXMATRIX turn;
  D3DXMatrixRotationY(&turn, kPi / 2);
  ExpectVectorNear(Moved({1, 0, 0}, turn), {0, 0, -1});
  ExpectVectorNear(Moved({0, 0, 1}, turn), {1, 0, 0});
  D3DXMatrixRotationX(&turn, kPi / 2);
  ExpectVectorNear(Moved({0, 1, 0}, turn), {0, 0, 1});
  ExpectVectorNear(Moved({0, 0, 1}, turn), {0, -1, 0});
  D3DXMatrixRotationZ(&turn, kPi / 2);
  ExpectVectorNear(Moved({1, 0, 0}, turn), {0, 1, 0});
  ExpectVectorNear(Moved({0, 1, 0}, turn), {-1, 0, 0});
}

TEST(MatrixRotation, RotationYHasTheTextbookLayout) {
  const float c = std::cos(0.3f), s = std::sin(0.3f);
  D3DXMATRIX turn;
  EXPECT_EQ(D3DXMatrixRotationY(&turn, 0.3f), &turn);
  ExpectMatrixNear(turn, {{{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}}});
}

TEST(MatrixRotation, AboutAnAxisMatchesTheCoordinateTurnsWhateverTheAxisLength) {
  D3DXMATRIX aboutAxis, expected;
  const D3DXVECTOR3 x{2, 0, 0}, y{0, 5, 0}, z{0, 0, 0.5f};
  D3DXMatrixRotationAxis(&aboutAxis, &x, 0.7f);
  ExpectMatrixNear(aboutAxis, *D3DXMatrixRotationX(&expected, 0.7f));
  D3DXMatrixRotationAxis(&aboutAxis, &y, 0.7f);
  ExpectMatrixNear(aboutAxis, *D3DXMatrixRotationY(&expected, 0.7f));
  D3DXMatrixRotationAxis(&aboutAxis, &z, 0.7f);
  ExpectMatrixNear(aboutAxis, *D3DXMatrixRotationZ(&expected, 0.7f));
}

// A third of a turn about the cube's diagonal cycles the axes: x to y, y to z, z to x.
TEST(MatrixRotation, AThirdOfATurnAboutTheDiagonalCyclesTheAxes) {
  const D3DXVECTOR3 diagonal{1, 1, 1};
  D3DXMATRIX turn;
  D3DXMatrixRotationAxis(&turn, &diagonal, 2 * kPi / 3);
  ExpectVectorNear(Moved({1, 0, 0}, turn), {0, 1, 0});
  ExpectVectorNear(Moved({0, 1, 0}, turn), {0, 0, 1});
  ExpectVectorNear(Moved({0, 0, 1}, turn), {1, 0, 0});
}

TEST(MatrixRotation, YawPitchRollRollsThenPitchesThenYaws) {
  D3DXMATRIX combined, single;
  D3DXMatrixRotationYawPitchRoll(&combined, 0.4f, 0, 0);
  ExpectMatrixNear(combined, *D3DXMatrixRotationY(&single, 0.4f));
  D3DXMatrixRotationYawPitchRoll(&combined, 0, 0.4f, 0);
  ExpectMatrixNear(combined, *D3DXMatrixRotationX(&single, 0.4f));
  D3DXMatrixRotationYawPitchRoll(&combined, 0, 0, 0.4f);
  ExpectMatrixNear(combined, *D3DXMatrixRotationZ(&single, 0.4f));

  // Quarter turns, worked through by hand: z stays under the roll, the pitch takes it to
  // -y and the yaw leaves -y; y rolls to -x, pitches to -x and yaws to +z.
  D3DXMatrixRotationYawPitchRoll(&combined, kPi / 2, kPi / 2, kPi / 2);
  ExpectVectorNear(Moved({0, 0, 1}, combined), {0, -1, 0});
  ExpectVectorNear(Moved({0, 1, 0}, combined), {0, 0, 1});
}

// Scale by 2 along the x axis turned 45 degrees about z (the direction u = (1, 1, 0) /
// sqrt 2) about the point (1, 0, 0), turn a quarter about y around (0, 1, 0), then move
// 10 along x. For p = (1, 1, 0): p - centre = (0, 1, 0) has 1 / sqrt 2 along u, which
// doubles: (0.5, 1.5, 0), back at (1.5, 1.5, 0). Around the rotation centre that is
// (1.5, 0.5, 0), which the quarter turn takes to (0, 0.5, -1.5): (0, 1.5, -1.5), then
// (10, 1.5, -1.5).
TEST(MatrixTransformation, ScalesTurnsAndMovesAboutTheGivenCentres) {
  const D3DXVECTOR3 scalingCenter{1, 0, 0}, scaling{2, 1, 1}, rotationCenter{0, 1, 0},
      translation{10, 0, 0};
  const float s = std::sin(kPi / 8), c = std::cos(kPi / 8);
  const D3DXQUATERNION scalingRotation{0, 0, s, c};
  const D3DXQUATERNION rotation{0, std::sin(kPi / 4), 0, std::cos(kPi / 4)};
  D3DXMATRIX m;
  ASSERT_EQ(D3DXMatrixTransformation(&m, &scalingCenter, &scalingRotation, &scaling,
                                     &rotationCenter, &rotation, &translation),
            &m);
  ExpectVectorNear(Moved({1, 1, 0}, m), {10, 1.5f, -1.5f});
  // The scaling centre stays put; then it turns to (0, -1, -1) around the rotation centre.
  ExpectVectorNear(Moved({1, 0, 0}, m), {10, 0, -1});
}

TEST(MatrixTransformation, NullArgumentsChangeNothing) {
  const D3DXVECTOR3 centre{4, 5, 6}, translation{1, 2, 3};
  D3DXMATRIX m, identity;
  D3DXMatrixIdentity(&identity);
  D3DXMatrixTransformation(&m, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  ExpectMatrixNear(m, identity);
  // Centres alone do nothing without the scaling or rotation they belong to.
  D3DXMatrixTransformation(&m, &centre, nullptr, nullptr, &centre, nullptr, &translation);
  ExpectMatrixNear(m, Translation(1, 2, 3));
  EXPECT_EQ(D3DXMatrixTransformation(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr),
            nullptr);
}

// Scale p = (1, 1, 0) by 2: (2, 2, 0); around the centre (0, 1, 0) that is (2, 1, 0),
// which a quarter turn about y takes to (0, 1, -2): (0, 2, -2), moved to (10, 2, -2).
TEST(MatrixAffineTransformation, ScalesThenTurnsAboutTheCentreThenMoves) {
  const D3DXVECTOR3 centre{0, 1, 0}, translation{10, 0, 0};
  const D3DXQUATERNION rotation{0, std::sin(kPi / 4), 0, std::cos(kPi / 4)};
  D3DXMATRIX m;
  ASSERT_EQ(D3DXMatrixAffineTransformation(&m, 2, &centre, &rotation, &translation), &m);
  ExpectVectorNear(Moved({1, 1, 0}, m), {10, 2, -2});
  D3DXMatrixAffineTransformation(&m, 3, nullptr, nullptr, nullptr);
  ExpectMatrixNear(m, Scaling(3, 3, 3));
}
