#pragma once
// The back buffer as GetBackBuffer hands it out: it stands for whatever render target the
// context has at the moment, so it stays valid across Resize. Its one real use is as the
// source of a texture's Blt.
#include <memory>

#include "render/d3d/device.h"
#include "render/gl/gl_shared_state.h"

class GlBackBufferSurface final : public IDirectDrawSurface7 {
 public:
  explicit GlBackBufferSurface(std::shared_ptr<GlSharedState> shared)
      : shared_(std::move(shared)) {}

  // The target's size, as A8R8G8B8 (what its colour buffer holds), one level.
  HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) override;

  const GlRenderTarget& target() const { return *shared_->target; }

 private:
  ~GlBackBufferSurface() override = default;

  std::shared_ptr<GlSharedState> shared_;
};
