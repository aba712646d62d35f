// Drawing a scene: one visibility test for every item, the opaque items bucket by bucket,
// then the blended items from the farthest to the nearest.
#include <algorithm>

#include "demo/demo.h"
#include "render/d3dx/d3dx_vector.h"
#include "scene/scene_renderer.h"
#include "scene/scene_stage_states.h"

void CSceneRenderer::Render(float time, int noDepth) {
  if (scene_ == nullptr || g_d3dDevice == nullptr) return;
  blended_.clear();
  TestVisibility();
  SetFrameStates(noDepth);

  for (MaterialBucket& bucket : buckets_) {
    if (!bucket.visible) continue;
    const bool blended = (bucket.flags & (kMaterialAdditive | kMaterialAlphaBlended)) != 0;
    for (const size_t index : bucket.items) {
      RenderItem& item = items_[index];
      if (!item.visible) continue;
      if (item.node->transformDirty != 0) RebuildWorldMatrix(item);
      if (blended) {
        blended_.push_back({index, DistanceToCamera(*item.node)});
      } else {
        DrawItem(item, time);
      }
    }
  }
  // Farthest first; items at the same distance keep their order.
  std::stable_sort(
      blended_.begin(), blended_.end(),
      [](const BlendedDraw& a, const BlendedDraw& b) { return a.distance > b.distance; });
  for (const BlendedDraw& draw : blended_) DrawItem(items_[draw.item], time);
}

void CSceneRenderer::TestVisibility() {
  for (size_t i = 0; i < items_.size(); ++i) {
    const CSceneNode& node = *items_[i].node;
    centres_[i] = node.position;
    radii_[i] = std::max({node.scale.x, node.scale.y, node.scale.z}) * node.radius;
  }
  if (!items_.empty()) {
    g_d3dDevice->ComputeSphereVisibility(centres_.data(), radii_.data(),
                                         static_cast<DWORD>(items_.size()), 0, visibility_.data());
  }
  for (MaterialBucket& bucket : buckets_) bucket.visible = false;
  for (size_t i = 0; i < items_.size(); ++i) {
    RenderItem& item = items_[i];
    item.visible = (visibility_[i] & D3DSTATUS_CLIPINTERSECTIONALL) == 0;
    if (item.visible) buckets_[item.bucket].visible = true;
  }
}

void CSceneRenderer::SetFrameStates(int noDepth) const {
  IDirect3DDevice7* device = g_d3dDevice;
  const DWORD depth = noDepth == 1 ? 0 : 1;
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, depth);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, depth);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE);
  SetColourTextureTimesDiffuse(device);
}

float CSceneRenderer::DistanceToCamera(const CSceneNode& node) const {
  if (camera_ == nullptr) return 0.0f;
  const D3DXVECTOR3 apart{camera_->position.x - node.position.x,
                          camera_->position.y - node.position.y,
                          camera_->position.z - node.position.z};
  return D3DXVec3Length(&apart);
}
