#include "render/gl/gl_vertex_buffer.h"

#include "render/state/draw_checks.h"

namespace {

uint64_t NextSerial() {
  static uint64_t last = 0;
  return ++last;
}

}  // namespace

HRESULT GlVertexBuffer::Create(std::shared_ptr<GlSharedState> shared,
                               const D3DVERTEXBUFFERDESC& desc, GlVertexBuffer** buffer) {
  const std::optional<FvfLayout> layout = VertexBufferLayout(desc);
  if (!layout) return DDERR_INVALIDPARAMS;
  *buffer = new GlVertexBuffer(std::move(shared), desc, *layout);
  return D3D_OK;
}

GlVertexBuffer::GlVertexBuffer(std::shared_ptr<GlSharedState> shared,
                               const D3DVERTEXBUFFERDESC& desc, const FvfLayout& layout)
    : shared_(std::move(shared)),
      desc_(desc),
      layout_(layout),
      serial_(NextSerial()),
      vertices_(size_t{desc.dwNumVertices} * layout.stride) {
  glGenBuffers(1, &buffer_);
  // Drawing before the first Unlock reads zeros, as the memory copy holds.
  Upload();
}

GlVertexBuffer::~GlVertexBuffer() {
  shared_->context->MakeCurrent();
  glDeleteBuffers(1, &buffer_);
}

// Through the copy-write binding point, which the device's drawing does not use, so that
// its record of OpenGL's bindings stays true. Fresh storage comes first: draws queued
// with the old contents keep them, and the copy need not wait for those draws.
void GlVertexBuffer::Upload() const {
  const auto bytes = static_cast<GLsizeiptr>(vertices_.size());
  glBindBuffer(GL_COPY_WRITE_BUFFER, buffer_);
  glBufferData(GL_COPY_WRITE_BUFFER, bytes, nullptr, GL_DYNAMIC_DRAW);
  glBufferSubData(GL_COPY_WRITE_BUFFER, 0, bytes, vertices_.data());
}

HRESULT GlVertexBuffer::Lock(DWORD flags, void** data, DWORD* size) {
  if (data == nullptr) return DDERR_INVALIDPARAMS;
  if (locked_ || optimized_) return E_FAIL;
  locked_ = true;
  lockedReadOnly_ = (flags & DDLOCK_READONLY) != 0;
  *data = vertices_.data();
  if (size != nullptr) *size = static_cast<DWORD>(vertices_.size());
  return D3D_OK;
}

HRESULT GlVertexBuffer::Unlock() {
  if (!locked_) return E_FAIL;
  locked_ = false;
  if (!lockedReadOnly_) Upload();
  return D3D_OK;
}

HRESULT GlVertexBuffer::Optimize(IDirect3DDevice7* device, DWORD) {
  if (device == nullptr) return DDERR_INVALIDPARAMS;
  if (locked_) return E_FAIL;
  optimized_ = true;
  vertices_ = {};
  return D3D_OK;
}

HRESULT GlVertexBuffer::GetVertexBufferDesc(D3DVERTEXBUFFERDESC* desc) {
  if (desc == nullptr) return DDERR_INVALIDPARAMS;
  *desc = desc_;
  if (optimized_) desc->dwCaps |= D3DVBCAPS_OPTIMIZED;
  return D3D_OK;
}
