// The Direct3D object over OpenGL (declared in gl_surfaces.h).
#include "render/gl/gl_surfaces.h"
#include "render/gl/gl_vertex_buffer.h"

GlDirect3D::GlDirect3D(std::shared_ptr<GlSharedState> shared) : shared_(std::move(shared)) {
  shared_->direct3D = this;
}

GlDirect3D::~GlDirect3D() {
  if (shared_->direct3D == this) shared_->direct3D = nullptr;
}

HRESULT GlDirect3D::CreateVertexBuffer(const D3DVERTEXBUFFERDESC* desc,
                                       IDirect3DVertexBuffer7** buffer, DWORD) {
  if (desc == nullptr || buffer == nullptr) return DDERR_INVALIDPARAMS;
  *buffer = nullptr;
  GlVertexBuffer* created = nullptr;
  const HRESULT result = GlVertexBuffer::Create(shared_, *desc, &created);
  if (SUCCEEDED(result)) *buffer = created;
  return result;
}

// Textures live in OpenGL's care; there is no managed copy to drop.
HRESULT GlDirect3D::EvictManagedTextures() { return D3D_OK; }
