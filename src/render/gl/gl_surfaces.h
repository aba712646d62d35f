#pragma once
// The Direct3D object, the DirectDraw object and the primary surface over OpenGL. Each
// keeps the shared OpenGL state alive for as long as the demo holds it.
#include <memory>

#include "render/d3d/device.h"
#include "render/gl/gl_shared_state.h"

class GlDirect3D final : public IDirect3D7 {
 public:
  // Becomes the shared state's Direct3D object until it is destroyed.
  explicit GlDirect3D(std::shared_ptr<GlSharedState> shared);

  // Makes a GlVertexBuffer (see gl_vertex_buffer.h for what it refuses); `flags` is
  // ignored.
  HRESULT CreateVertexBuffer(const D3DVERTEXBUFFERDESC* desc, IDirect3DVertexBuffer7** buffer,
                             DWORD flags) override;
  HRESULT EvictManagedTextures() override;

 private:
  ~GlDirect3D() override;

  std::shared_ptr<GlSharedState> shared_;
};

class GlDirectDraw final : public IDirectDraw7 {
 public:
  explicit GlDirectDraw(std::shared_ptr<GlSharedState> shared) : shared_(std::move(shared)) {}

  // Either of `total` and `free` may be null; amounts above 4 GiB read as 0xFFFFFFFF.
  HRESULT GetAvailableVidMem(const DDSCAPS2* caps, DWORD* total, DWORD* free) override;

 private:
  ~GlDirectDraw() override = default;

  std::shared_ptr<GlSharedState> shared_;
};

class GlPrimarySurface final : public IDirectDrawSurface7 {
 public:
  explicit GlPrimarySurface(std::shared_ptr<GlSharedState> shared)
      : shared_(std::move(shared)) {}

  HRESULT GetBltStatus(DWORD flags) override;

 private:
  ~GlPrimarySurface() override = default;

  std::shared_ptr<GlSharedState> shared_;
};
