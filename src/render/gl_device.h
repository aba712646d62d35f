#pragma once
// The device over OpenGL. For now it records states and transforms and owns the viewport,
// which confines everything drawn and the context's Clear to its rectangle.
#include <memory>

#include "render/device.h"
#include "render/device_states.h"
#include "render/gl_shared_state.h"
#include "render/target_geometry.h"

class GlDevice final : public IDirect3DDevice7 {
 public:
  // The viewport starts as the whole render target.
  explicit GlDevice(std::shared_ptr<GlSharedState> shared);

  HRESULT GetCaps(D3DDEVICEDESC7* desc) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT SetViewport(const D3DVIEWPORT7* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT7* viewport) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                               DWORD value) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                               DWORD* value) override;

  // The viewport's rectangle in OpenGL's rows, counted from the target's bottom.
  PixelRect GlViewportRect() const;
  // Called after the render target changed size.
  void CoverWholeTarget();

 private:
  ~GlDevice() override = default;

  // Sets OpenGL's viewport, depth range and scissor from viewport_.
  void ApplyViewport() const;

  std::shared_ptr<GlSharedState> shared_;
  DeviceStates states_;
  D3DVIEWPORT7 viewport_{};
  bool inScene_ = false;
};
