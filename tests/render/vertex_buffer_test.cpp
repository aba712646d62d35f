// Vertex buffers: creation, locking, optimising, and drawing from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "render/pipeline_fixture.h"

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu;

class VertexBufferTest : public PipelineFixture {
 protected:
  void SetUp() override {
    PipelineFixture::SetUp();
    if (HasFatalFailure()) return;
    direct3D_ = context_->GetD3D();
  }
  void TearDown() override {
    SafeRelease(buffer_);
    SafeRelease(direct3D_);
    PipelineFixture::TearDown();
  }

  HRESULT Create(DWORD fvf, DWORD vertexCount, DWORD size = sizeof(D3DVERTEXBUFFERDESC)) {
    const D3DVERTEXBUFFERDESC desc{size, D3DVBCAPS_SYSTEMMEMORY | D3DVBCAPS_WRITEONLY, fvf,
                                   vertexCount};
    SafeRelease(buffer_);
    return direct3D_->CreateVertexBuffer(&desc, &buffer_, 0);
  }

  // Writes the corners of `rect` (a strip) from `first` on.
  void Write(DWORD lockFlags, DWORD first, const ScreenRect& r, D3DCOLOR color) {
    void* data = nullptr;
    ASSERT_EQ(buffer_->Lock(lockFlags, &data, nullptr), D3D_OK);
    const ScreenVertex corners[4] = {{r.left, r.top, 0.5f, 1, color, 0, 0},
                                     {r.right, r.top, 0.5f, 1, color, 0, 0},
                                     {r.left, r.bottom, 0.5f, 1, color, 0, 0},
                                     {r.right, r.bottom, 0.5f, 1, color, 0, 0}};
    std::memcpy(static_cast<ScreenVertex*>(data) + first, corners, sizeof(corners));
    ASSERT_EQ(buffer_->Unlock(), D3D_OK);
  }

  IDirect3D7* direct3D_ = nullptr;
  IDirect3DVertexBuffer7* buffer_ = nullptr;
};

TEST_F(VertexBufferTest, DescribesItselfAndHandsOutZeroedVertices) {
  ASSERT_EQ(Create(kScreenFvf, 100), D3D_OK);
  D3DVERTEXBUFFERDESC desc{};
  ASSERT_EQ(buffer_->GetVertexBufferDesc(&desc), D3D_OK);
  EXPECT_EQ(desc.dwFVF, kScreenFvf);
  EXPECT_EQ(desc.dwNumVertices, 100u);
  EXPECT_EQ(desc.dwCaps, D3DVBCAPS_SYSTEMMEMORY | D3DVBCAPS_WRITEONLY);
  void* data = nullptr;
  DWORD size = 0;
  ASSERT_EQ(buffer_->Lock(DDLOCK_WAIT | DDLOCK_WRITEONLY, &data, &size), D3D_OK);
  EXPECT_EQ(size, 100 * sizeof(ScreenVertex));
  const auto* bytes = static_cast<const uint8_t*>(data);
  EXPECT_TRUE(std::all_of(bytes, bytes + size, [](uint8_t byte) { return byte == 0; }));
  EXPECT_EQ(buffer_->Unlock(), D3D_OK);
}

TEST_F(VertexBufferTest, RefusesBadDescriptions) {
  EXPECT_EQ(Create(kScreenFvf, 0), DDERR_INVALIDPARAMS);
  EXPECT_EQ(Create(kScreenFvf, 0x10000), DDERR_INVALIDPARAMS);
  EXPECT_EQ(Create(0x006, 10), DDERR_INVALIDPARAMS);  // a position with blend weights
  EXPECT_EQ(Create(kScreenFvf, 10, 0), DDERR_INVALIDPARAMS);
  EXPECT_EQ(buffer_, nullptr);
  EXPECT_EQ(direct3D_->CreateVertexBuffer(nullptr, &buffer_, 0), DDERR_INVALIDPARAMS);
  const D3DVERTEXBUFFERDESC desc{sizeof(desc), 0, kScreenFvf, 4};
  EXPECT_EQ(direct3D_->CreateVertexBuffer(&desc, nullptr, 0), DDERR_INVALIDPARAMS);
}

TEST_F(VertexBufferTest, LocksOnlyOnceAtATime) {
  ASSERT_EQ(Create(kScreenFvf, 4), D3D_OK);
  void* data = nullptr;
  EXPECT_EQ(buffer_->Unlock(), E_FAIL);
  ASSERT_EQ(buffer_->Lock(0, &data, nullptr), D3D_OK);
  void* again = nullptr;
  EXPECT_EQ(buffer_->Lock(0, &again, nullptr), E_FAIL);
  EXPECT_EQ(buffer_->Lock(0, nullptr, nullptr), DDERR_INVALIDPARAMS);
  // A locked buffer cannot be drawn from.
  EXPECT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 0, 4, 0), E_FAIL);
  EXPECT_EQ(buffer_->Unlock(), D3D_OK);
  EXPECT_EQ(buffer_->Unlock(), E_FAIL);
}

TEST_F(VertexBufferTest, DrawsWhatWasWrittenFromTheStartVertex) {
  ASSERT_EQ(Create(kScreenFvf, 8), D3D_OK);
  Write(DDLOCK_WAIT | DDLOCK_WRITEONLY, 0, {0, 0, 32, 24}, kRed);
  Write(DDLOCK_NOOVERWRITE | DDLOCK_WRITEONLY, 4, {32, 24, 64, 48}, kBlue);
  ASSERT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 0, 4, 0), D3D_OK);
  const uint16_t strip[4] = {0, 1, 2, 3};
  ASSERT_EQ(device_->DrawIndexedPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 4, 4, strip, 4, 0),
            D3D_OK);
  const Picture picture = ReadPicture();
  EXPECT_EQ(Count(picture, kRed), 32u * 24u);
  EXPECT_EQ(Count(picture, kBlue), 32u * 24u);
  EXPECT_EQ(picture.At(40, 30), kBlue);
}

// A draw keeps the vertices it was given even when the buffer is rewritten right after,
// as the demo does with its dynamic buffer.
TEST_F(VertexBufferTest, RewritingAfterADrawLeavesThatDrawAlone) {
  ASSERT_EQ(Create(kScreenFvf, 4), D3D_OK);
  Write(DDLOCK_DISCARDCONTENTS | DDLOCK_WRITEONLY, 0, {0, 0, 32, 48}, kRed);
  ASSERT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 0, 4, 0), D3D_OK);
  Write(DDLOCK_DISCARDCONTENTS | DDLOCK_WRITEONLY, 0, {32, 0, 64, 48}, kBlue);
  ASSERT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 0, 4, 0), D3D_OK);
  const Picture picture = ReadPicture();
  EXPECT_EQ(Count(picture, kRed), 32u * 48u);
  EXPECT_EQ(Count(picture, kBlue), 32u * 48u);
}

TEST_F(VertexBufferTest, AnOptimisedBufferDrawsButCannotBeLocked) {
  ASSERT_EQ(Create(kScreenFvf, 4), D3D_OK);
  Write(DDLOCK_WAIT | DDLOCK_WRITEONLY, 0, {0, 0, 64, 48}, kRed);
  EXPECT_EQ(buffer_->Optimize(nullptr, 0), DDERR_INVALIDPARAMS);
  ASSERT_EQ(buffer_->Optimize(device_, 0), D3D_OK);
  void* data = nullptr;
  EXPECT_EQ(buffer_->Lock(DDLOCK_WAIT, &data, nullptr), E_FAIL);
  D3DVERTEXBUFFERDESC desc{};
  ASSERT_EQ(buffer_->GetVertexBufferDesc(&desc), D3D_OK);
  EXPECT_NE(desc.dwCaps & D3DVBCAPS_OPTIMIZED, 0u);
  ASSERT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 0, 4, 0), D3D_OK);
  EXPECT_EQ(Count(ReadPicture(), kRed), 64u * 48u);
}

TEST_F(VertexBufferTest, RefusesRangesAndIndicesPastTheEnd) {
  ASSERT_EQ(Create(kScreenFvf, 8), D3D_OK);
  Write(0, 4, {0, 0, 64, 48}, kRed);
  EXPECT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 5, 4, 0), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 0xFFFFFFFFu, 2, 0),
            DDERR_INVALIDPARAMS);
  const uint16_t indices[4] = {0, 1, 2, 4};
  EXPECT_EQ(device_->DrawIndexedPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer_, 4, 4, indices, 4, 0),
            DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, nullptr, 0, 4, 0), DDERR_INVALIDPARAMS);
  EXPECT_EQ(Count(ReadPicture(), kRed), 0u);
}

}  // namespace
