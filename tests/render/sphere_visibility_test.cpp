// Spheres against the view volume: wholly outside a plane, straddling it, or inside.
#include "render/state/sphere_visibility.h"

#include <gtest/gtest.h>

#include <numbers>

#include "support/context_fixture.h"
#include "render/d3dx/d3dx_maths.h"

namespace {

constexpr DWORD kLeft = 0, kRight = 1, kTop = 2, kBottom = 3, kFront = 4, kBack = 5;

constexpr DWORD Outside(DWORD plane) { return (0x1001u) << plane; }
constexpr DWORD Straddles(DWORD plane) { return 0x1u << plane; }

DWORD Visibility(const D3DMATRIX& matrix, D3DVECTOR center, float radius) {
  DWORD result = 0xDEADBEEFu;
  ComputeSphereVisibility(matrix, &center, &radius, 1, &result);
  return result;
}

D3DMATRIX Identity() {
  D3DMATRIX identity;
  D3DXMatrixIdentity(&identity);
  return identity;
}

// With identity matrices the view volume is -1..1 in x and y and 0..1 in z.
TEST(SphereVisibility, AgainstTheClipBox) {
  const D3DMATRIX m = Identity();
  EXPECT_EQ(Visibility(m, {0, 0, 0.5f}, 0.1f), 0u);
  EXPECT_EQ(Visibility(m, {-3, 0, 0.5f}, 0.5f), Outside(kLeft));
  EXPECT_EQ(Visibility(m, {3, 0, 0.5f}, 0.5f), Outside(kRight));
  EXPECT_EQ(Visibility(m, {0, 3, 0.5f}, 0.5f), Outside(kTop));
  EXPECT_EQ(Visibility(m, {0, -3, 0.5f}, 0.5f), Outside(kBottom));
  EXPECT_EQ(Visibility(m, {0, 0, -1}, 0.5f), Outside(kFront));
  EXPECT_EQ(Visibility(m, {0, 0, 2}, 0.5f), Outside(kBack));
  EXPECT_EQ(Visibility(m, {1, 0, 0.5f}, 0.2f), Straddles(kRight));
  EXPECT_EQ(Visibility(m, {-1, 1, 0.5f}, 0.2f), Straddles(kLeft) | Straddles(kTop));
  EXPECT_EQ(Visibility(m, {0, 0, 0.5f}, 5.0f), 0x3Fu) << "larger than the box";
  EXPECT_EQ(Visibility(m, {3, 3, 0.5f}, 0.5f), Outside(kRight) | Outside(kTop));
}

// Planes are normalised, so radii compare with true distances: with a 90-degree
// perspective the right plane is x = z, and (10, 0, 10) lies on it.
TEST(SphereVisibility, AgainstAPerspectiveFrustum) {
  D3DMATRIX projection;
  D3DXMatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 2.0f, 1.0f, 1.0f, 100.0f);
  EXPECT_EQ(Visibility(projection, {0, 0, 10}, 1.0f), 0u);
  EXPECT_EQ(Visibility(projection, {10, 0, 10}, 1.0f), Straddles(kRight));
  // 8.5 / sqrt(2) = 6.01 from the plane x = z.
  EXPECT_EQ(Visibility(projection, {18.5f, 0, 10}, 6.0f), Outside(kRight));
  EXPECT_EQ(Visibility(projection, {18.5f, 0, 10}, 6.1f), Straddles(kRight));
  // Behind the eye: outside the front plane and the four sides, which cross there.
  EXPECT_EQ(Visibility(projection, {0, 0, -5}, 1.0f),
            Outside(kLeft) | Outside(kRight) | Outside(kTop) | Outside(kBottom) | Outside(kFront));
  EXPECT_EQ(Visibility(projection, {0, 0, 150}, 10.0f), Outside(kBack));
}

// The device tests against World x View x Projection as set.
using DeviceSphereVisibility = ContextFixture;

TEST_F(DeviceSphereVisibility, UsesTheDevicesTransforms) {
  D3DMATRIX world, view;
  D3DXMatrixTranslation(&world, 2.0f, 0.0f, 0.0f);
  D3DXMatrixScaling(&view, 0.5f, 1.0f, 1.0f);
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world), D3D_OK);
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &view), D3D_OK);
  // x = 0 lands at 1 (the right plane); x = -2 at the centre.
  const D3DVECTOR centers[2] = {{0, 0, 0.5f}, {-2, 0, 0.5f}};
  const float radii[2] = {0.1f, 0.1f};
  DWORD results[2] = {};
  ASSERT_EQ(device_->ComputeSphereVisibility(centers, radii, 2, 0, results), D3D_OK);
  EXPECT_EQ(results[0], Straddles(kRight));
  EXPECT_EQ(results[1], 0u);
  EXPECT_EQ(device_->ComputeSphereVisibility(nullptr, radii, 2, 0, results), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->ComputeSphereVisibility(nullptr, nullptr, 0, 0, nullptr), D3D_OK);
}

}  // namespace
