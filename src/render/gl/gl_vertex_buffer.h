#pragma once
// A vertex buffer of the OpenGL device. The vertices live in memory, where Lock hands
// them out, and in an OpenGL buffer that Unlock refreshes from there. Optimize makes the
// buffer read-only for good: the memory copy is let go and only the OpenGL buffer stays.
// Wrong-state calls (locking twice, unlocking what is not locked, locking an optimised
// buffer) fail with E_FAIL and change nothing.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "render/d3d/device.h"
#include "render/state/fvf_layout.h"
#include "render/gl/gl_shared_state.h"

class GlVertexBuffer final : public IDirect3DVertexBuffer7 {
 public:
  // DDERR_INVALIDPARAMS for a description whose dwSize is not its size, whose format
  // DescribeFvf refuses, or with 0 or more than kMaxVertexBufferVertices vertices.
  static HRESULT Create(std::shared_ptr<GlSharedState> shared, const D3DVERTEXBUFFERDESC& desc,
                        GlVertexBuffer** buffer);

  // Any DDLOCK_ flags are taken; with DDLOCK_READONLY, Unlock uploads nothing. `size`
  // may be null.
  HRESULT Lock(DWORD flags, void** data, DWORD* size) override;
  HRESULT Unlock() override;
  HRESULT Optimize(IDirect3DDevice7* device, DWORD flags) override;
  HRESULT GetVertexBufferDesc(D3DVERTEXBUFFERDESC* desc) override;

  GLuint GlName() const { return buffer_; }
  // Tells buffers apart for as long as the process runs, unlike OpenGL names, which
  // are used again after a buffer is deleted.
  uint64_t serial() const { return serial_; }
  const FvfLayout& layout() const { return layout_; }
  DWORD vertexCount() const { return desc_.dwNumVertices; }
  bool locked() const { return locked_; }

 private:
  GlVertexBuffer(std::shared_ptr<GlSharedState> shared, const D3DVERTEXBUFFERDESC& desc,
                 const FvfLayout& layout);
  ~GlVertexBuffer() override;

  void Upload() const;

  std::shared_ptr<GlSharedState> shared_;
  D3DVERTEXBUFFERDESC desc_;
  FvfLayout layout_;
  uint64_t serial_;
  std::vector<uint8_t> vertices_;
  GLuint buffer_ = 0;
  bool locked_ = false;
  bool lockedReadOnly_ = false;
  bool optimized_ = false;
};
