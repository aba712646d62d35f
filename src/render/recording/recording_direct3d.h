#pragma once
// The recording backend's Direct3D object, which needs no OpenGL: its vertex buffers are
// plain memory, which the recording device (recording_device.h) reads when it draws from
// them.
#include <cstdint>
#include <vector>

#include "render/d3d/device.h"
#include "render/state/draw_checks.h"

class MemoryVertexBuffer final : public IDirect3DVertexBuffer7 {
 public:
  // `desc` has been checked by RecordingDirect3D::CreateVertexBuffer; `stride` is the size
  // of one vertex of its format.
  MemoryVertexBuffer(const D3DVERTEXBUFFERDESC& desc, uint32_t stride);

  // One lock at a time, and none once the buffer is optimised (E_FAIL).
  HRESULT Lock(DWORD flags, void** data, DWORD* size) override;
  HRESULT Unlock() override;
  HRESULT Optimize(IDirect3DDevice7* device, DWORD flags) override;
  HRESULT GetVertexBufferDesc(D3DVERTEXBUFFERDESC* desc) override;

  DWORD Fvf() const { return desc_.dwFVF; }
  DWORD VertexCount() const { return desc_.dwNumVertices; }
  uint32_t Stride() const { return stride_; }
  bool Locked() const { return locked_; }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  ~MemoryVertexBuffer() override = default;

  D3DVERTEXBUFFERDESC desc_;
  uint32_t stride_;
  std::vector<uint8_t> bytes_;
  bool locked_ = false;
};

class RecordingDirect3D final : public IDirect3D7 {
 public:
  // DDERR_INVALIDPARAMS for a description VertexBufferLayout refuses.
  HRESULT CreateVertexBuffer(const D3DVERTEXBUFFERDESC* desc, IDirect3DVertexBuffer7** buffer,
                             DWORD flags) override;
  HRESULT EvictManagedTextures() override { return D3D_OK; }

 private:
  ~RecordingDirect3D() override = default;
};
