// The device's textures, draws and visibility tests (the rest of GlDevice is in
// gl_device.cpp).
#include <span>

#include "render/state/device_state_reading.h"
#include "render/state/draw_checks.h"
#include "render/gl/gl_device.h"
#include "render/gl/gl_surfaces.h"
#include "render/gl/gl_vertex_buffer.h"
#include "render/state/sphere_visibility.h"

namespace {

// The type has passed CheckDraw.
GLenum GlPrimitiveMode(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: break;
  }
  return GL_TRIANGLE_FAN;
}

}  // namespace

HRESULT GlDevice::GetDirect3D(IDirect3D7** direct3D) {
  if (direct3D == nullptr) return DDERR_INVALIDPARAMS;
  GlDirect3D* current = shared_->direct3D;
  if (current != nullptr) {
    current->AddRef();
  } else {
    // Everyone let go of the last one; a new one registers itself.
    current = new GlDirect3D(shared_);
  }
  *direct3D = current;
  return D3D_OK;
}

HRESULT GlDevice::SetTexture(DWORD stage, IDirectDrawSurface7* texture) {
  if (stage >= kTextureStageCount) return DDERR_INVALIDPARAMS;
  GlTexture* glTexture = nullptr;
  if (texture != nullptr) {
    glTexture = dynamic_cast<GlTexture*>(texture);
    if (glTexture == nullptr) return DDERR_INVALIDPARAMS;
  }
  GlTexture*& held = textures_[stage];
  if (glTexture == held) return D3D_OK;
  if (glTexture != nullptr) glTexture->AddRef();
  SafeRelease(held);
  held = glTexture;
  // Releasing may have deleted the texture that was bound, and its name may come back.
  if (stage < kBlendStageCount) pipeline_.ForgetTexture(stage);
  statesChanged_ = true;
  return D3D_OK;
}

HRESULT GlDevice::GetTexture(DWORD stage, IDirectDrawSurface7** texture) {
  if (stage >= kTextureStageCount || texture == nullptr) return DDERR_INVALIDPARAMS;
  *texture = textures_[stage];
  if (*texture != nullptr) (*texture)->AddRef();
  return D3D_OK;
}

HRESULT GlDevice::PreLoad(IDirectDrawSurface7* texture) {
  return dynamic_cast<GlTexture*>(texture) != nullptr ? D3D_OK : DDERR_INVALIDPARAMS;
}

bool GlDevice::PrepareToDraw(const FvfLayout& layout) {
  if (!statesChanged_ && layout.fvf == preparedFvf_) return true;
  const PipelineInputs inputs{
      states_, std::span<GlTexture* const, kBlendStageCount>(textures_.data(), kBlendStageCount),
      GlViewportRect(), static_cast<int32_t>(shared_->target->height())};
  if (!pipeline_.Prepare(inputs, layout)) return false;
  statesChanged_ = false;
  preparedFvf_ = layout.fvf;
  return true;
}

HRESULT GlDevice::DrawFromMemory(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                                 DWORD vertexCount, const std::optional<IndexList>& indices) {
  FvfLayout layout;
  if (!DescribeFvf(fvf, &layout)) return DDERR_INVALIDPARAMS;
  if (const std::optional<HRESULT> answer = CheckDraw(type, vertices, vertexCount, indices)) {
    return *answer;
  }
  if (skipsDraws_) return D3D_OK;
  if (!PrepareToDraw(layout)) return E_FAIL;
  return pipeline_.DrawFromMemory(GlPrimitiveMode(type), layout, vertices, vertexCount,
                                  indices.value_or(IndexList{}))
             ? D3D_OK
             : E_FAIL;
}

HRESULT GlDevice::DrawFromBuffer(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                                 DWORD startVertex, DWORD vertexCount,
                                 const std::optional<IndexList>& indices) {
  const auto* vertexBuffer = dynamic_cast<GlVertexBuffer*>(buffer);
  if (vertexBuffer == nullptr ||
      uint64_t{startVertex} + vertexCount > vertexBuffer->vertexCount()) {
    return DDERR_INVALIDPARAMS;
  }
  if (const std::optional<HRESULT> answer = CheckDraw(type, vertexBuffer, vertexCount, indices)) {
    return *answer;
  }
  if (vertexBuffer->locked()) return E_FAIL;
  if (skipsDraws_) return D3D_OK;
  if (!PrepareToDraw(vertexBuffer->layout())) return E_FAIL;
  return pipeline_.DrawFromBuffer(GlPrimitiveMode(type), *vertexBuffer, startVertex,
                                  vertexCount, indices.value_or(IndexList{}))
             ? D3D_OK
             : E_FAIL;
}

HRESULT GlDevice::DrawPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                                DWORD vertexCount, DWORD) {
  return DrawFromMemory(type, fvf, vertices, vertexCount, std::nullopt);
}

HRESULT GlDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                                       DWORD vertexCount, const uint16_t* indices, DWORD indexCount,
                                       DWORD) {
  return DrawFromMemory(type, fvf, vertices, vertexCount, IndexList{indices, indexCount});
}

HRESULT GlDevice::DrawPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                                  DWORD startVertex, DWORD vertexCount, DWORD) {
  return DrawFromBuffer(type, buffer, startVertex, vertexCount, std::nullopt);
}

HRESULT GlDevice::DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                                         DWORD startVertex, DWORD vertexCount,
                                         const uint16_t* indices, DWORD indexCount, DWORD) {
  return DrawFromBuffer(type, buffer, startVertex, vertexCount, IndexList{indices, indexCount});
}

HRESULT GlDevice::ComputeSphereVisibility(const D3DVECTOR* centers, const float* radii, DWORD count,
                                          DWORD, DWORD* results) {
  if (count == 0) return D3D_OK;
  if (centers == nullptr || radii == nullptr || results == nullptr) return DDERR_INVALIDPARAMS;
  ::ComputeSphereVisibility(WorldViewProjectionOf(states_), centers, radii, count, results);
  return D3D_OK;
}
