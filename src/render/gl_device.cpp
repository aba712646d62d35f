#include "render/gl_device.h"

#include "render/device_caps.h"

namespace {

bool DepthRangeIsValid(float minZ, float maxZ) {
  // Written so that NaN fails every comparison and is refused.
  return minZ >= 0.0f && maxZ <= 1.0f && minZ <= maxZ;
}

}  // namespace

GlDevice::GlDevice(std::shared_ptr<GlSharedState> shared) : shared_(std::move(shared)) {
  CoverWholeTarget();
}

void GlDevice::CoverWholeTarget() {
  viewport_ = {0, 0, shared_->target->width(), shared_->target->height(), 0.0f, 1.0f};
  ApplyViewport();
}

PixelRect GlDevice::GlViewportRect() const {
  return FlipRows(
      {static_cast<int32_t>(viewport_.dwX), static_cast<int32_t>(viewport_.dwY),
       static_cast<int32_t>(viewport_.dwWidth), static_cast<int32_t>(viewport_.dwHeight)},
      static_cast<int32_t>(shared_->target->height()));
}

void GlDevice::ApplyViewport() const {
  const PixelRect rect = GlViewportRect();
  glViewport(rect.x, rect.y, rect.width, rect.height);
  glScissor(rect.x, rect.y, rect.width, rect.height);
  glEnable(GL_SCISSOR_TEST);
  glDepthRange(viewport_.dvMinZ, viewport_.dvMaxZ);
}

HRESULT GlDevice::GetCaps(D3DDEVICEDESC7* desc) {
  if (desc == nullptr) return DDERR_INVALIDPARAMS;
  *desc = DescribeDevice(shared_->features);
  return D3D_OK;
}

HRESULT GlDevice::BeginScene() {
  if (inScene_) return E_FAIL;
  inScene_ = true;
  glBindFramebuffer(GL_FRAMEBUFFER, shared_->target->framebuffer());
  ApplyViewport();
  return D3D_OK;
}

HRESULT GlDevice::EndScene() {
  if (!inScene_) return E_FAIL;
  inScene_ = false;
  return D3D_OK;
}

HRESULT GlDevice::SetViewport(const D3DVIEWPORT7* viewport) {
  if (viewport == nullptr) return DDERR_INVALIDPARAMS;
  // 64-bit sums: x + width cannot wrap around.
  const uint64_t right = uint64_t{viewport->dwX} + viewport->dwWidth;
  const uint64_t bottom = uint64_t{viewport->dwY} + viewport->dwHeight;
  if (viewport->dwWidth == 0 || viewport->dwHeight == 0 ||
      right > shared_->target->width() || bottom > shared_->target->height() ||
      !DepthRangeIsValid(viewport->dvMinZ, viewport->dvMaxZ)) {
    return DDERR_INVALIDPARAMS;
  }
  viewport_ = *viewport;
  ApplyViewport();
  return D3D_OK;
}

HRESULT GlDevice::GetViewport(D3DVIEWPORT7* viewport) {
  if (viewport == nullptr) return DDERR_INVALIDPARAMS;
  *viewport = viewport_;
  return D3D_OK;
}

HRESULT GlDevice::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) {
  return states_.SetTransform(type, matrix);
}

HRESULT GlDevice::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) {
  return states_.GetTransform(type, matrix);
}

HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  return states_.SetRenderState(state, value);
}

HRESULT GlDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  return states_.GetRenderState(state, value);
}

HRESULT GlDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                       DWORD value) {
  return states_.SetTextureStageState(stage, state, value);
}

HRESULT GlDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                       DWORD* value) {
  return states_.GetTextureStageState(stage, state, value);
}
