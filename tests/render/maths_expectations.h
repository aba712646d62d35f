#pragma once
// Element-by-element comparisons for the maths tests, naming the element that differs.
#include <gtest/gtest.h>

#include "render/d3d/d3d_types.h"

inline constexpr float kMathsTolerance = 1e-5f;

inline void ExpectMatrixNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected,
                             float tolerance = kMathsTolerance) {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_NEAR(actual.m[row][column], expected.m[row][column], tolerance)
          << "element " << row + 1 << column + 1;
    }
  }
}

inline void ExpectVectorNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected) {
  EXPECT_NEAR(actual.x, expected.x, kMathsTolerance) << "x";
  EXPECT_NEAR(actual.y, expected.y, kMathsTolerance) << "y";
  EXPECT_NEAR(actual.z, expected.z, kMathsTolerance) << "z";
}

// For D3DXVECTOR4 and D3DXQUATERNION.
template <typename FourFloats>
void ExpectXyzwNear(const FourFloats& actual, const FourFloats& expected) {
  EXPECT_NEAR(actual.x, expected.x, kMathsTolerance) << "x";
  EXPECT_NEAR(actual.y, expected.y, kMathsTolerance) << "y";
  EXPECT_NEAR(actual.z, expected.z, kMathsTolerance) << "z";
  EXPECT_NEAR(actual.w, expected.w, kMathsTolerance) << "w";
}
