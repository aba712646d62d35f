#include <gtest/gtest.h>

#include "render/d3dx/d3dx_matrix_stack.h"

namespace {

D3DXMATRIX Translation(float x, float y, float z) {
  return {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}}};
}

class MatrixStack : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(D3DXCreateMatrixStack(0, &stack_), S_OK); }
  void TearDown() override { SafeRelease(stack_); }

  ID3DXMatrixStack* stack_ = nullptr;
};

}  // namespace

TEST_F(MatrixStack, PopReturnsToWhatWasPushedButNeverPopsTheLast) {
  EXPECT_EQ(stack_->GetTop()->m[3][3], 1.0f);
  const D3DXMATRIX move = Translation(1, 2, 3);
  ASSERT_EQ(stack_->LoadMatrix(&move), S_OK);
  ASSERT_EQ(stack_->Push(), S_OK);
  EXPECT_EQ(stack_->GetTop()->m[3][0], 1.0f) << "the pushed top is a copy";
  ASSERT_EQ(stack_->LoadIdentity(), S_OK);
  EXPECT_EQ(stack_->GetTop()->m[3][0], 0.0f);
  ASSERT_EQ(stack_->Pop(), S_OK);
  EXPECT_EQ(stack_->GetTop()->m[3][2], 3.0f);
  EXPECT_TRUE(FAILED(stack_->Pop()));
  EXPECT_EQ(stack_->GetTop()->m[3][2], 3.0f);
}

TEST_F(MatrixStack, RunawayPushesAreRefused) {
  HRESULT result = S_OK;
  for (int i = 0; i < 100000 && SUCCEEDED(result); ++i) result = stack_->Push();
  EXPECT_TRUE(FAILED(result));
}

// MultMatrix applies the new matrix after the top (top * M); MultMatrixLocal before it.
TEST_F(MatrixStack, MultipliesOnEitherSide) {
  const D3DXMATRIX move = Translation(1, 0, 0);
  const D3DXMATRIX doubling{{{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 2, 0}, {0, 0, 0, 1}}};
  stack_->LoadMatrix(&move);
  ASSERT_EQ(stack_->MultMatrix(&doubling), S_OK);
  EXPECT_EQ(stack_->GetTop()->m[3][0], 2.0f) << "moved, then scaled";
  stack_->LoadMatrix(&move);
  ASSERT_EQ(stack_->MultMatrixLocal(&doubling), S_OK);
  EXPECT_EQ(stack_->GetTop()->m[3][0], 1.0f) << "scaled, then moved";
  EXPECT_TRUE(FAILED(stack_->MultMatrix(nullptr)));
}
