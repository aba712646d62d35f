// Bringing a scene to a scene time: node tracks, the active camera, fog and the radii of
// vertex-animated meshes.
#include <bit>

#include "demo/demo.h"
#include "render/d3dx/d3dx_maths.h"
#include "scene/camera_view.h"
#include "scene/morph_frames.h"
#include "scene/scene_colour.h"
#include "scene/scene_renderer.h"

namespace {

// The aspect the cameras' projections take: the screen's width over its height, divided
// as whole numbers (1 for every landscape mode up to 2:1). The demo's own projection,
// which takes height over width, stays in force after VIEW, so this is what keeps the
// scenes' proportions right on screen; a fractional 4:3 would stretch them by a third.
float ScreenAspect() {
  if (g_screenHeight == 0) return 1.0f;
  return static_cast<float>(g_screenWidth / g_screenHeight);
}

DWORD FloatState(float value) { return std::bit_cast<DWORD>(value); }

}  // namespace

void CSceneRenderer::Update(float time) {
  IDirect3DDevice7* device = g_d3dDevice;
  if (scene_ == nullptr || device == nullptr) return;
  timeStep_ = time - lastTime_;
  lastTime_ = time;
  D3DXMATRIX identity;
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, D3DXMatrixIdentity(&identity));
  scene_->animator.Evaluate(scene_->nodes, time);

  ChooseCamera();
  device->SetRenderState(D3DRENDERSTATE_FOGENABLE, scene_->fogEnabled != 0 ? 1 : 0);
  if (camera_ != nullptr) SetView(*camera_);

  for (RenderItem& item : items_) {
    if (item.morphing) item.node->radius = MorphRadius(*item.mesh, time);
  }
}

void CSceneRenderer::ChooseCamera() {
  // The first camera that moves takes over; while none moves the current one stays.
  for (CCamera* camera : cameras_) {
    if (camera->moving == 0) continue;
    if (camera != camera_ && scene_->fogEnabled != 0) SetFog(*camera);
    camera_ = camera;
    SetView(*camera);
    return;
  }
}

void CSceneRenderer::SetFog(const CCamera& camera) const {
  IDirect3DDevice7* device = g_d3dDevice;
  const float depth = camera.farPlane - camera.nearPlane;
  device->SetRenderState(D3DRENDERSTATE_FOGCOLOR, PackColourRounded(scene_->fogColour));
  device->SetRenderState(D3DRENDERSTATE_FOGTABLEMODE, D3DFOG_LINEAR);
  device->SetRenderState(D3DRENDERSTATE_FOGSTART,
                         FloatState(camera.nearPlane + depth * scene_->fogStart));
  device->SetRenderState(D3DRENDERSTATE_FOGEND,
                         FloatState(camera.nearPlane + depth * scene_->fogEnd));
}

void CSceneRenderer::SetView(const CCamera& camera) const {
  const D3DXMATRIX view = CameraViewProjection(camera, ScreenAspect());
  g_d3dDevice->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
}
