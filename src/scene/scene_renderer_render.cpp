// Drawing a scene: one visibility test for every item, the opaque items from the nearest
// to the farthest (bucket by bucket when there is no depth test), then the blended items
// from the farthest to the nearest.
#include <algorithm>

#include "demo/demo.h"
#include "render/d3dx/d3dx_vector.h"
#include "scene/scene_renderer.h"
#include "demo/stage_states.h"

void CSceneRenderer::Render(float time, int noDepth) {
  if (scene_ == nullptr || g_d3dDevice == nullptr) return;
  opaque_.clear();
  blended_.clear();
  TestVisibility();
  SetFrameStates(noDepth);
  // With the depth test on, the nearest opaque items go first so that the test turns away
  // the fragments they hide before those are shaded (on a software rasteriser the scenes'
  // fragments shaded fall by up to half); the picture is the same in any order. Without
  // it, the order is the picture, and the buckets' order is kept.
  const bool nearestFirst = noDepth != 1;

  for (MaterialBucket& bucket : buckets_) {
    if (!bucket.visible) continue;
    const bool blended = (bucket.flags & (kMaterialAdditive | kMaterialAlphaBlended)) != 0;
    for (const size_t index : bucket.items) {
      RenderItem& item = items_[index];
      if (!item.visible) continue;
      if (item.node->transformDirty != 0) RebuildWorldMatrix(item);
      if (blended) {
        blended_.push_back({index, DistanceToCamera(*item.node)});
      } else if (nearestFirst) {
        opaque_.push_back({index, DistanceToCamera(*item.node)});
      } else {
        DrawItem(item, time);
      }
    }
  }
  // Items at the same distance keep their order.
  std::stable_sort(opaque_.begin(), opaque_.end(), [](const SortedDraw& a, const SortedDraw& b) {
    return a.distance < b.distance;
  });
  for (const SortedDraw& draw : opaque_) DrawItem(items_[draw.item], time);
  std::stable_sort(blended_.begin(), blended_.end(), [](const SortedDraw& a, const SortedDraw& b) {
    return a.distance > b.distance;
  });
  for (const SortedDraw& draw : blended_) DrawItem(items_[draw.item], time);
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
