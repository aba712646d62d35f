#include "render/recording/recording_direct3d.h"

#include "render/state/fvf_layout.h"

MemoryVertexBuffer::MemoryVertexBuffer(const D3DVERTEXBUFFERDESC& desc, uint32_t stride)
    : desc_(desc), stride_(stride), bytes_(size_t{desc.dwNumVertices} * stride) {}

HRESULT MemoryVertexBuffer::Lock(DWORD, void** data, DWORD* size) {
  if (data == nullptr) return DDERR_INVALIDPARAMS;
  if (locked_ || (desc_.dwCaps & D3DVBCAPS_OPTIMIZED) != 0) return E_FAIL;
  locked_ = true;
  *data = bytes_.data();
  if (size != nullptr) *size = static_cast<DWORD>(bytes_.size());
  return D3D_OK;
}

HRESULT MemoryVertexBuffer::Unlock() {
  if (!locked_) return E_FAIL;
  locked_ = false;
  return D3D_OK;
}

HRESULT MemoryVertexBuffer::Optimize(IDirect3DDevice7* device, DWORD) {
  if (device == nullptr) return DDERR_INVALIDPARAMS;
  if (locked_) return E_FAIL;
  desc_.dwCaps |= D3DVBCAPS_OPTIMIZED;
  return D3D_OK;
}

HRESULT MemoryVertexBuffer::GetVertexBufferDesc(D3DVERTEXBUFFERDESC* desc) {
  if (desc == nullptr) return DDERR_INVALIDPARAMS;
  *desc = desc_;
  return D3D_OK;
}

HRESULT RecordingDirect3D::CreateVertexBuffer(const D3DVERTEXBUFFERDESC* desc,
                                              IDirect3DVertexBuffer7** buffer, DWORD) {
  if (buffer == nullptr) return DDERR_INVALIDPARAMS;
  *buffer = nullptr;
  const std::optional<FvfLayout> layout =
      desc != nullptr ? VertexBufferLayout(*desc) : std::nullopt;
  if (!layout) return DDERR_INVALIDPARAMS;
  D3DVERTEXBUFFERDESC kept = *desc;
  kept.dwCaps &= ~D3DVBCAPS_OPTIMIZED;
  *buffer = new MemoryVertexBuffer(kept, layout->stride);
  return D3D_OK;
}
