// The recording device that part tests draw into: it keeps the calls in order, reads back
// the states, and draws from its own memory vertex buffers.
#include <bit>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "render/recording/recording_device.h"

namespace {

struct ColouredVertex {
  float x, y, z;
  D3DCOLOR diffuse;
};
constexpr DWORD kColouredFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;

std::vector<uint8_t> BytesOf(const ColouredVertex* vertices, size_t count) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(vertices);
  return {bytes, bytes + count * sizeof(ColouredVertex)};
}

class RecordingDeviceTest : public testing::Test {
 protected:
  void TearDown() override { SafeRelease(device_); }

  RecordingDevice* device_ = new RecordingDevice(320, 200);
};

}  // namespace

TEST_F(RecordingDeviceTest, RecordsCallsInOrderWithWhatTheyCarried) {
  const ColouredVertex triangle[3] = {{0, 0, 1, 0xFFFF0000u}, {1, 0, 1, 0xFF00FF00u},
                                      {0, 1, 1, 0xFF0000FFu}};
  const D3DMATRIX world{{{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 2, 0}, {1, 2, 3, 1}}};
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  ASSERT_EQ(device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), D3D_OK);
  ASSERT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world), D3D_OK);
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, kColouredFvf, triangle, 3, 0), D3D_OK);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0x1, triangle, 3, 0),
            DDERR_INVALIDPARAMS);
  ASSERT_EQ(device_->EndScene(), D3D_OK);

  EXPECT_EQ(device_->CallNames(),
            (std::vector<std::string>{"BeginScene", "SetRenderState", "SetTransform",
                                      "DrawPrimitive", "DrawPrimitive", "EndScene"}));
  EXPECT_EQ(device_->Calls()[1].args,
            (std::vector<DWORD>{D3DRENDERSTATE_CULLMODE, D3DCULL_NONE}));
  EXPECT_EQ(device_->Calls()[2].matrix.m[3][2], 3.0f);
  const std::vector<RecordedCall> draws = device_->Find("DrawPrimitive");
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].fvf, kColouredFvf);
  EXPECT_EQ(draws[0].vertices, BytesOf(triangle, 3));
  EXPECT_EQ(draws[1].result, DDERR_INVALIDPARAMS) << "a refused call is still recorded";

  device_->Clear();
  EXPECT_TRUE(device_->Calls().empty());
  EXPECT_EQ(device_->EndScene(), E_FAIL) << "no scene is open";
}

TEST_F(RecordingDeviceTest, StartsFromTheDefaultsAndReadsBackWhatWasSet) {
  DWORD value = 0;
  ASSERT_EQ(device_->GetRenderState(D3DRENDERSTATE_ZENABLE, &value), D3D_OK);
  EXPECT_EQ(value, 1u);
  ASSERT_EQ(device_->GetTextureStageState(0, D3DTSS_COLOROP, &value), D3D_OK);
  EXPECT_EQ(value, D3DTOP_MODULATE);
  device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
  device_->GetTextureStageState(1, D3DTSS_COLOROP, &value);
  EXPECT_EQ(value, D3DTOP_ADD);

  D3DVIEWPORT7 viewport{};
  ASSERT_EQ(device_->GetViewport(&viewport), D3D_OK);
  EXPECT_EQ(viewport.dwWidth, 320u);
  EXPECT_EQ(viewport.dwHeight, 200u);
  const D3DVIEWPORT7 tooWide{100, 0, 221, 200, 0.0f, 1.0f};
  EXPECT_EQ(device_->SetViewport(&tooWide), DDERR_INVALIDPARAMS);
  const D3DVIEWPORT7 inset{100, 20, 220, 100, 0.25f, 1.0f};
  ASSERT_EQ(device_->SetViewport(&inset), D3D_OK);
  device_->GetViewport(&viewport);
  EXPECT_EQ(viewport.dwX, 100u);
  EXPECT_EQ(device_->Find("SetViewport").back().args[4], std::bit_cast<DWORD>(0.25f));
}

TEST_F(RecordingDeviceTest, HoldsABoundTextureUntilItIsReplaced) {
  IDirectDrawSurface7* texture = new IDirectDrawSurface7;
  ASSERT_EQ(device_->SetTexture(0, texture), D3D_OK);
  IDirectDrawSurface7* bound = nullptr;
  ASSERT_EQ(device_->GetTexture(0, &bound), D3D_OK);
  EXPECT_EQ(bound, texture);
  SafeRelease(bound);
  EXPECT_EQ(device_->Find("SetTexture")[0].object, texture);
  EXPECT_EQ(device_->SetTexture(kTextureStageCount, texture), DDERR_INVALIDPARAMS);

  // Ours and the device's.
  EXPECT_EQ(texture->AddRef(), 3u);
  texture->Release();
  device_->SetTexture(0, nullptr);
  EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(RecordingDeviceTest, DrawsTheUsedRangeOfAVertexBuffer) {
  IDirect3D7* direct3D = nullptr;
  ASSERT_EQ(device_->GetDirect3D(&direct3D), D3D_OK);
  const D3DVERTEXBUFFERDESC desc{sizeof(D3DVERTEXBUFFERDESC), 0, kColouredFvf, 4};
  IDirect3DVertexBuffer7* buffer = nullptr;
  ASSERT_EQ(direct3D->CreateVertexBuffer(&desc, &buffer, 0), D3D_OK);
  SafeRelease(direct3D);

  const ColouredVertex quad[4] = {{0, 0, 0, 1}, {1, 0, 0, 2}, {1, 1, 0, 3}, {0, 1, 0, 4}};
  void* data = nullptr;
  DWORD size = 0;
  ASSERT_EQ(buffer->Lock(DDLOCK_WRITEONLY, &data, &size), D3D_OK);
  ASSERT_EQ(size, sizeof(quad));
  std::memcpy(data, quad, sizeof(quad));
  const uint16_t indices[3] = {0, 2, 1};
  EXPECT_EQ(device_->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer, 1, 3, indices, 3, 0),
            E_FAIL)
      << "a locked buffer cannot be drawn";
  ASSERT_EQ(buffer->Unlock(), D3D_OK);

  ASSERT_EQ(device_->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer, 1, 3, indices, 3, 0),
            D3D_OK);
  const RecordedCall draw = device_->Calls().back();
  EXPECT_EQ(draw.object, buffer);
  EXPECT_EQ(draw.vertices, BytesOf(quad + 1, 3));
  EXPECT_EQ(draw.indices, (std::vector<uint16_t>{0, 2, 1}));
  EXPECT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLELIST, buffer, 2, 3, 0), DDERR_INVALIDPARAMS)
      << "past the end of the buffer";
  const uint16_t pastTheRange[3] = {0, 1, 3};
  EXPECT_EQ(device_->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer, 1, 3, pastTheRange, 3,
                                            0),
            DDERR_INVALIDPARAMS);

  ASSERT_EQ(buffer->Optimize(device_, 0), D3D_OK);
  EXPECT_EQ(buffer->Lock(0, &data, nullptr), E_FAIL) << "an optimised buffer stays shut";
  D3DVERTEXBUFFERDESC optimised{};
  buffer->GetVertexBufferDesc(&optimised);
  EXPECT_NE(optimised.dwCaps & D3DVBCAPS_OPTIMIZED, 0u);
  SafeRelease(buffer);
}
