#include "render/gl/gl_device.h"

#include "render/gl/device_caps.h"

GlDevice::GlDevice(std::shared_ptr<GlSharedState> shared)
    : shared_(std::move(shared)), pipeline_(shared_->features) {
  CoverWholeTarget();
}

GlDevice::~GlDevice() {
  // The textures and the pipeline delete OpenGL objects.
  shared_->context->MakeCurrent();
  for (GlTexture*& texture : textures_) SafeRelease(texture);
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

void GlDevice::ApplyViewport() {
  const PixelRect rect = GlViewportRect();
  glViewport(rect.x, rect.y, rect.width, rect.height);
  glScissor(rect.x, rect.y, rect.width, rect.height);
  glEnable(GL_SCISSOR_TEST);
  glDepthRange(viewport_.dvMinZ, viewport_.dvMaxZ);
  // Pre-transformed vertices are placed relative to the viewport.
  statesChanged_ = true;
}

HRESULT GlDevice::NoteStateChange(HRESULT result) {
  if (SUCCEEDED(result)) statesChanged_ = true;
  return result;
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
  // Once a frame, OpenGL's state is set in full again, whatever other code did to it.
  pipeline_.ForgetGlState();
  return D3D_OK;
}

HRESULT GlDevice::EndScene() {
  if (!inScene_) return E_FAIL;
  inScene_ = false;
  return D3D_OK;
}

HRESULT GlDevice::SetViewport(const D3DVIEWPORT7* viewport) {
  if (viewport == nullptr ||
      !ViewportFitsTarget(*viewport, shared_->target->width(), shared_->target->height())) {
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
  return NoteStateChange(states_.SetTransform(type, matrix));
}

HRESULT GlDevice::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) {
  return states_.GetTransform(type, matrix);
}

// Parts set many states to the values they already have; those leave the pipeline as
// it is.
HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  DWORD current = 0;
  if (states_.GetRenderState(state, &current) == D3D_OK && current == value) return D3D_OK;
  return NoteStateChange(states_.SetRenderState(state, value));
}

HRESULT GlDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  return states_.GetRenderState(state, value);
}

HRESULT GlDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
  if (state == D3DTSS_ADDRESS) {
    // ADDRESS stands for both directions; U and V are what sampling reads.
    const HRESULT result = SetTextureStageState(stage, D3DTSS_ADDRESSU, value);
    if (FAILED(result)) return result;
    SetTextureStageState(stage, D3DTSS_ADDRESSV, value);
  }
  DWORD current = 0;
  if (states_.GetTextureStageState(stage, state, &current) == D3D_OK && current == value) {
    return D3D_OK;
  }
  return NoteStateChange(states_.SetTextureStageState(stage, state, value));
}

HRESULT GlDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value) {
  return states_.GetTextureStageState(stage, state, value);
}
