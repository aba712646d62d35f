// The device on a live context: Direct3D 7's defaults, states read back as set, the
// viewport's checks, scenes and capabilities.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <bit>

#include <gtest/gtest.h>

#include "support/context_fixture.h"
#include "render/d3dx/d3dx_maths.h"
#include "render/gl/gl_features.h"

namespace {

D3DMATRIX Translation(float x, float y, float z) {
  return {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}}};
}

bool SameMatrix(const D3DMATRIX& a, const D3DMATRIX& b) {
  return std::bit_cast<std::array<float, 16>>(a) == std::bit_cast<std::array<float, 16>>(b);
}

}  // namespace

using DeviceTest = ContextFixture;

TEST_F(DeviceTest, StartsAtDirect3DDefaults) {
  const std::pair<D3DRENDERSTATETYPE, DWORD> renderDefaults[] = {
      {D3DRENDERSTATE_ZENABLE, 1},          {D3DRENDERSTATE_ZWRITEENABLE, 1},
      {D3DRENDERSTATE_ZFUNC, 4},            {D3DRENDERSTATE_CULLMODE, 3},
      {D3DRENDERSTATE_ALPHABLENDENABLE, 0}, {D3DRENDERSTATE_SRCBLEND, 2},
      {D3DRENDERSTATE_DESTBLEND, 1},        {D3DRENDERSTATE_FOGENABLE, 0},
      {D3DRENDERSTATE_LIGHTING, 1},
  };
  for (const auto& [state, expected] : renderDefaults) {
    DWORD value = 0xDEAD;
    EXPECT_EQ(device_->GetRenderState(state, &value), D3D_OK);
    EXPECT_EQ(value, expected) << "render state " << state;
  }

  const auto stageState = [this](DWORD stage, D3DTEXTURESTAGESTATETYPE state) {
    DWORD value = 0xDEAD;
    EXPECT_EQ(device_->GetTextureStageState(stage, state, &value), D3D_OK);
    return value;
  };
  for (DWORD stage = 0; stage < kTextureStageCount; ++stage) {
    SCOPED_TRACE(stage);
    EXPECT_EQ(stageState(stage, D3DTSS_COLOROP), stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE);
    EXPECT_EQ(stageState(stage, D3DTSS_ALPHAOP), stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE);
    EXPECT_EQ(stageState(stage, D3DTSS_COLORARG1), D3DTA_TEXTURE);
    EXPECT_EQ(stageState(stage, D3DTSS_ALPHAARG2), D3DTA_CURRENT);
    EXPECT_EQ(stageState(stage, D3DTSS_TEXCOORDINDEX), stage);
    EXPECT_EQ(stageState(stage, D3DTSS_ADDRESS), D3DTADDRESS_WRAP);
  }

  D3DMATRIX identity, projection = Translation(1, 2, 3);
  D3DXMatrixIdentity(&identity);
  EXPECT_EQ(device_->GetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection), D3D_OK);
  EXPECT_TRUE(SameMatrix(projection, identity));
}

TEST_F(DeviceTest, StatesReadBackAsSet) {
  const DWORD fogEnd = std::bit_cast<DWORD>(800.0f);
  ASSERT_EQ(device_->SetRenderState(D3DRENDERSTATE_FOGEND, fogEnd), D3D_OK);
  ASSERT_EQ(device_->SetTextureStageState(7, D3DTSS_MINFILTER, D3DTFN_ANISOTROPIC), D3D_OK);
  const D3DMATRIX world = Translation(4, 5, 6), texture = Translation(7, 8, 9);
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world), D3D_OK);
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, &texture), D3D_OK);

  DWORD value = 0;
  EXPECT_EQ(device_->GetRenderState(D3DRENDERSTATE_FOGEND, &value), D3D_OK);
  EXPECT_EQ(value, fogEnd);
  EXPECT_EQ(device_->GetTextureStageState(7, D3DTSS_MINFILTER, &value), D3D_OK);
  EXPECT_EQ(value, D3DTFN_ANISOTROPIC);
  EXPECT_EQ(device_->GetTextureStageState(6, D3DTSS_MINFILTER, &value), D3D_OK);
  EXPECT_EQ(value, D3DTFN_POINT);
  D3DMATRIX matrix;
  EXPECT_EQ(device_->GetTransform(D3DTRANSFORMSTATE_WORLD, &matrix), D3D_OK);
  EXPECT_TRUE(SameMatrix(matrix, world));
  EXPECT_EQ(device_->GetTransform(D3DTRANSFORMSTATE_TEXTURE0, &matrix), D3D_OK);
  EXPECT_TRUE(SameMatrix(matrix, texture));
}

TEST_F(DeviceTest, RefusesIndicesOutsideTheTables) {
  DWORD value = 0;
  EXPECT_EQ(device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(kRenderStateCount), 1),
            DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->SetTextureStageState(kTextureStageCount, D3DTSS_COLOROP, 1),
            DDERR_INVALIDPARAMS);
  const auto badStageState = static_cast<D3DTEXTURESTAGESTATETYPE>(kTextureStageStateCount);
  EXPECT_EQ(device_->GetTextureStageState(0, badStageState, &value), DDERR_INVALIDPARAMS);
  const D3DMATRIX matrix = Translation(1, 1, 1);
  for (DWORD type : {0u, 4u, 16u + kTextureStageCount}) {
    EXPECT_EQ(device_->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(type), &matrix),
              DDERR_INVALIDPARAMS)
        << "transform " << type;
  }
  EXPECT_EQ(device_->GetRenderState(D3DRENDERSTATE_ZENABLE, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DeviceTest, RefusesViewportsOutsideTheTargetOrDepthRange) {
  const D3DVIEWPORT7 refused[] = {
      {1, 0, kWidth, kHeight, 0.0f, 1.0f},
      {0, 38, kWidth, kHeight - 37, 0.0f, 1.0f},
      {0, 0, 0, 10, 0.0f, 1.0f},
      {0xFFFFFFF0u, 0, 0x20, 10, 0.0f, 1.0f},  // x + width wraps around 32 bits
      {0, 0, 10, 10, 0.5f, 0.25f},
      {0, 0, 10, 10, 0.0f, 1.5f},
  };
  for (const D3DVIEWPORT7& viewport : refused) {
    EXPECT_EQ(device_->SetViewport(&viewport), DDERR_INVALIDPARAMS)
        << viewport.dwX << "," << viewport.dwY << " " << viewport.dwWidth << "x"
        << viewport.dwHeight << " z " << viewport.dvMinZ << ".." << viewport.dvMaxZ;
  }
  D3DVIEWPORT7 kept{};
  ASSERT_EQ(device_->GetViewport(&kept), D3D_OK);
  EXPECT_EQ(kept.dwWidth, DWORD{kWidth}) << "still the whole target";
  EXPECT_EQ(kept.dwHeight, DWORD{kHeight});
}

// OpenGL counts rows upward: a band 38 rows below the top of a 480-row target starts
// 480 - (38 + 100) rows above its bottom.
TEST_F(DeviceTest, SetsOpenGlsViewportScissorAndDepthRangeUpsideDown) {
  const D3DVIEWPORT7 viewport{10, 38, 200, 100, 0.25f, 0.75f};
  ASSERT_EQ(device_->SetViewport(&viewport), D3D_OK);
  std::array<GLint, 4> glViewport{}, scissor{};
  glGetIntegerv(GL_VIEWPORT, glViewport.data());
  glGetIntegerv(GL_SCISSOR_BOX, scissor.data());
  const std::array<GLint, 4> expected{10, kHeight - 138, 200, 100};
  EXPECT_EQ(glViewport, expected);
  EXPECT_EQ(scissor, expected);
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
  std::array<GLfloat, 2> depthRange{};
  glGetFloatv(GL_DEPTH_RANGE, depthRange.data());
  EXPECT_EQ(depthRange, (std::array<GLfloat, 2>{0.25f, 0.75f}));
}

TEST_F(DeviceTest, RefusesNestedScenes) {
  EXPECT_TRUE(FAILED(device_->EndScene()));
  EXPECT_EQ(device_->BeginScene(), D3D_OK);
  EXPECT_TRUE(FAILED(device_->BeginScene()));
  EXPECT_EQ(device_->EndScene(), D3D_OK);
  EXPECT_EQ(device_->BeginScene(), D3D_OK);
}

TEST_F(DeviceTest, ClaimsHardwareOnlyOnAHardwareRenderer) {
  D3DDEVICEDESC7 desc{};
  ASSERT_EQ(device_->GetCaps(&desc), D3D_OK);
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const bool software = IsSoftwareRendererName(renderer);
  EXPECT_EQ((desc.dwDevCaps & D3DDEVCAPS_HWRASTERIZATION) != 0, !software) << renderer;
  EXPECT_EQ((desc.dwDevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0, !software) << renderer;
  EXPECT_TRUE(IsSoftwareRendererName("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_FALSE(IsSoftwareRendererName("NVIDIA GeForce RTX 3080/PCIe/SSE2"));
}
