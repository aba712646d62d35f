// Drawing one render item: its material's blend state and texture, its culling, its world
// matrix, then its triangles (from the static buffer, blended into the dynamic buffer, or
// by its own drawable).
#include <algorithm>

#include "demo/demo.h"
#include "scene/morph_frames.h"
#include "scene/scene_renderer.h"
#include "demo/stage_states.h"

namespace {

constexpr DWORD kDiscardLock = DDLOCK_DISCARDCONTENTS | DDLOCK_WRITEONLY;
constexpr DWORD kAppendLock = DDLOCK_NOOVERWRITE | DDLOCK_WRITEONLY;

}  // namespace

void CSceneRenderer::DrawItem(RenderItem& item, float time) {
  IDirect3DDevice7* device = g_d3dDevice;
  const MaterialBucket& bucket = buckets_[item.bucket];
  SetBlendState(bucket);
  BindTexture(item, bucket);
  const bool twoSided = (bucket.flags & kMaterialTwoSided) != 0;
  if (twoSided) device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &item.world);

  // A mesh without faces draws nothing, and neither do meshes whose buffer is missing.
  if (item.drawable != nullptr) {
    item.drawable->Draw(time, camera_);
  } else if (!item.indices.empty()) {
    if (item.morphing) {
      DrawMorphing(item, time);
    } else if (staticBuffer_ != nullptr) {
      device->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, staticBuffer_, item.startVertex,
                                     item.vertexCount, item.indices.data(),
                                     static_cast<DWORD>(item.indices.size()), 0);
    }
  }
  if (twoSided) device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
}

void CSceneRenderer::SetBlendState(const MaterialBucket& bucket) const {
  IDirect3DDevice7* device = g_d3dDevice;
  const bool additive = (bucket.flags & kMaterialAdditive) != 0;
  const bool alphaBlended = (bucket.flags & kMaterialAlphaBlended) != 0;
  if (!additive && !alphaBlended) return;
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, additive ? D3DBLEND_ONE : D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, additive ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA);
  SetColourTextureTimesDiffuse(device);
  if (additive) return;
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
}

void CSceneRenderer::BindTexture(RenderItem& item, const MaterialBucket& bucket) const {
  // An untextured bucket leaves stage 0 as it was, as does an animation without frames.
  if (!bucket.textured || bucket.textureFrames.empty() || textures_ == nullptr) return;
  if ((bucket.flags & kMaterialAnimatedTexture) == 0) {
    textures_->SetTexture(0, bucket.textureFrames.front());
    return;
  }
  // At most one step a frame, and only once the frame has been shown long enough.
  item.textureFrameTimer += timeStep_;
  if (item.textureFrameTimer > kTextureFrameTime) {
    item.textureFrameTimer = 0;
    ++item.textureFrameCounter;
  }
  textures_->SetTexture(
      0, bucket.textureFrames[item.textureFrameCounter % bucket.textureFrames.size()]);
}

void CSceneRenderer::DrawMorphing(const RenderItem& item, float time) {
  if (dynamicBuffer_ == nullptr) return;
  const MorphBlend blend = ChooseMorphFrames(*item.mesh, time);
  const DWORD count =
      static_cast<DWORD>(std::min<size_t>(MorphVertexCount(blend), dynamicCapacity_));
  if (count == 0) return;

  // Meshes are appended behind each other through a frame; a full buffer starts over.
  const bool full = dynamicFill_ + count > dynamicCapacity_;
  const DWORD start = full ? 0 : dynamicFill_;
  dynamicFill_ = start + count;
  void* data = nullptr;
  if (FAILED(dynamicBuffer_->Lock(full ? kDiscardLock : kAppendLock, &data, nullptr))) return;
  WriteMorphVertices(blend, count, static_cast<SceneVertex*>(data) + start);
  dynamicBuffer_->Unlock();
  g_d3dDevice->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, dynamicBuffer_, start, count,
                                      item.indices.data(), static_cast<DWORD>(item.indices.size()),
                                      0);
}
