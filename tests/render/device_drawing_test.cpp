// The device's draw calls as a whole: what they refuse, streaming from memory, drawing
// outside a scene, the stage textures it holds, and its Direct3D object.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/pipeline_fixture.h"

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000u;

using DeviceDrawingTest = PipelineFixture;

// Bad draws are refused and empty ones succeed; neither draws anything.
TEST_F(DeviceDrawingTest, RefusesBadDrawsAndDrawsNothingForThemOrForEmptyOnes) {
  const ScreenVertex vertices[3] = {
      {0, 0, 0.5f, 1, kRed, 0, 0}, {64, 0, 0.5f, 1, kRed, 0, 0}, {0, 48, 0.5f, 1, kRed, 0, 0}};
  const uint16_t inRange[3] = {0, 1, 2}, outOfRange[3] = {0, 1, 3};
  const auto draw = [&](D3DPRIMITIVETYPE type, DWORD fvf, const void* data, DWORD count) {
    return device_->DrawPrimitive(type, fvf, data, count, 0);
  };
  const auto drawIndexed = [&](const uint16_t* indices, DWORD count) {
    return device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kScreenFvf, vertices, 3, indices,
                                         count, 0);
  };
  for (DWORD type : {0u, 7u}) {
    EXPECT_EQ(draw(static_cast<D3DPRIMITIVETYPE>(type), kScreenFvf, vertices, 3),
              DDERR_INVALIDPARAMS);
  }
  for (DWORD fvf : {0x000u, 0x006u, 0x164u, 0x944u}) {
    EXPECT_EQ(draw(D3DPT_TRIANGLELIST, fvf, vertices, 3), DDERR_INVALIDPARAMS) << fvf;
  }
  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, kScreenFvf, nullptr, 3), DDERR_INVALIDPARAMS);
  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, kScreenFvf, vertices, 0x10000), DDERR_INVALIDPARAMS);
  EXPECT_EQ(drawIndexed(outOfRange, 3), DDERR_INVALIDPARAMS);
  EXPECT_EQ(drawIndexed(nullptr, 3), DDERR_INVALIDPARAMS);

  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, kScreenFvf, nullptr, 0), D3D_OK);
  EXPECT_EQ(drawIndexed(inRange, 0), D3D_OK);
  EXPECT_EQ(draw(D3DPT_TRIANGLELIST, kScreenFvf, vertices, 2), D3D_OK);  // not a triangle
  EXPECT_EQ(Count(ReadPicture(), kRed), 0u);
}

// Enough data to go round the stream buffers many times: every draw still finds its own
// vertices and indices. Row r is drawn by draw r, in a colour of its own.
TEST_F(DeviceDrawingTest, StreamedDrawsKeepTheirDataAcrossManyRoundsOfTheStream) {
  constexpr DWORD kVertices = 30000, kIndices = 90000;
  std::vector<ScreenVertex> vertices(kVertices);
  std::vector<uint16_t> indices(kIndices, 0);  // degenerate triangles but the last two
  for (DWORD row = 0; row < kTargetHeight; ++row) {
    const D3DCOLOR color = 0xFF000000u | (row * 5) << 16 | 0x80;
    const float top = static_cast<float>(row), bottom = top + 1.0f;
    const ScreenVertex corners[4] = {{0, top, 0.5f, 1, color, 0, 0},
                                     {64, top, 0.5f, 1, color, 0, 0},
                                     {0, bottom, 0.5f, 1, color, 0, 0},
                                     {64, bottom, 0.5f, 1, color, 0, 0}};
    std::copy(std::begin(corners), std::end(corners), vertices.end() - 4);
    const uint16_t last = kVertices - 4;
    const uint16_t quad[6] = {last,
                              static_cast<uint16_t>(last + 1),
                              static_cast<uint16_t>(last + 2),
                              static_cast<uint16_t>(last + 2),
                              static_cast<uint16_t>(last + 1),
                              static_cast<uint16_t>(last + 3)};
    std::copy(std::begin(quad), std::end(quad), indices.end() - 6);
    ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kScreenFvf, vertices.data(),
                                            kVertices, indices.data(), kIndices, 0),
              D3D_OK);
  }
  const Picture picture = ReadPicture();
  for (DWORD row = 0; row < kTargetHeight; ++row) {
    EXPECT_EQ(picture.At(10, row), 0xFF000000u | (row * 5) << 16 | 0x80) << "row " << row;
  }
}

// Draws are taken outside BeginScene and EndScene too.
TEST_F(DeviceDrawingTest, DrawsOutsideAScene) {
  ASSERT_EQ(device_->EndScene(), D3D_OK);
  ASSERT_EQ(DrawScreenRect({0, 0, 64, 48}, kRed), D3D_OK);
  EXPECT_EQ(Count(ReadPicture(), kRed), 64u * 48u);
}

// Beginning a scene sets OpenGL's state in full again, whatever other code changed.
TEST_F(DeviceDrawingTest, BeginSceneRestoresStateChangedBehindTheDevicesBack) {
  ASSERT_EQ(DrawScreenRect({0, 0, 64, 48}, 0xFF0000FFu, 0.5f), D3D_OK);
  ASSERT_EQ(device_->EndScene(), D3D_OK);
  glDepthFunc(GL_ALWAYS);
  glDisable(GL_CULL_FACE);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  // Behind what is there, and turning the wrong way: neither may show.
  ASSERT_EQ(DrawScreenRect({0, 0, 64, 48}, kRed, 0.75f), D3D_OK);
  const ScreenVertex counterClockwise[3] = {
      {0, 0, 0.25f, 1, kRed, 0, 0}, {0, 48, 0.25f, 1, kRed, 0, 0}, {64, 0, 0.25f, 1, kRed, 0, 0}};
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenFvf, counterClockwise, 3, 0), D3D_OK);
  EXPECT_EQ(Count(ReadPicture(), kRed), 0u);
}

TEST_F(DeviceDrawingTest, HoldsAReferenceToEachStageTexture) {
  IDirectDrawSurface7* texture = MakeTexture(1, 1, {kRed});
  const auto references = [texture] {
    texture->AddRef();
    return texture->Release();
  };
  const uint32_t alone = references();
  ASSERT_EQ(device_->SetTexture(0, texture), D3D_OK);
  ASSERT_EQ(device_->SetTexture(1, texture), D3D_OK);
  EXPECT_EQ(references(), alone + 2);
  IDirectDrawSurface7* got = nullptr;
  ASSERT_EQ(device_->GetTexture(1, &got), D3D_OK);
  EXPECT_EQ(got, texture);
  EXPECT_EQ(references(), alone + 3);
  got->Release();
  ASSERT_EQ(device_->SetTexture(1, nullptr), D3D_OK);
  EXPECT_EQ(references(), alone + 1);
  ASSERT_EQ(device_->GetTexture(1, &got), D3D_OK);
  EXPECT_EQ(got, nullptr);
  // Letting go of the device lets go of its textures.
  SafeRelease(context_);
  SafeRelease(device_);
  EXPECT_EQ(references(), alone);
}

TEST_F(DeviceDrawingTest, TakesOnlyTextureSurfaces) {
  IDirectDrawSurface7* primary = context_->GetPrimary();
  EXPECT_EQ(device_->SetTexture(0, primary), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->PreLoad(primary), DDERR_INVALIDPARAMS);
  primary->Release();
  IDirectDrawSurface7* texture = MakeTexture(1, 1, {kRed});
  EXPECT_EQ(device_->PreLoad(texture), D3D_OK);
  EXPECT_EQ(device_->SetTexture(kTextureStageCount, texture), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->GetTexture(0, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DeviceDrawingTest, HandsOutTheContextsDirect3D) {
  IDirect3D7* fromContext = context_->GetD3D();
  IDirect3D7* fromDevice = nullptr;
  ASSERT_EQ(device_->GetDirect3D(&fromDevice), D3D_OK);
  EXPECT_EQ(fromDevice, fromContext);
  EXPECT_EQ(fromDevice->EvictManagedTextures(), D3D_OK);
  fromDevice->Release();
  fromContext->Release();
  // Once the context and everyone else let go of it, the device makes a new one.
  SafeRelease(context_);
  IDirect3D7* fresh = nullptr;
  ASSERT_EQ(device_->GetDirect3D(&fresh), D3D_OK);
  ASSERT_NE(fresh, nullptr);
  const D3DVERTEXBUFFERDESC desc{sizeof(desc), 0, kScreenFvf, 4};
  IDirect3DVertexBuffer7* buffer = nullptr;
  EXPECT_EQ(fresh->CreateVertexBuffer(&desc, &buffer, 0), D3D_OK);
  SafeRelease(buffer);
  fresh->Release();
}

}  // namespace
