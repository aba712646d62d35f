#include "scene/scene_renderer.h"

#include <tuple>

#include "scene/node_world_matrix.h"

CSceneRenderer::~CSceneRenderer() {
  Release();
  SafeRelease(staticBuffer_);
  SafeRelease(dynamicBuffer_);
  SafeRelease(textures_);
}

void CSceneRenderer::SetTextureManager(CTextureManager* textures) {
  if (textures != nullptr) textures->AddRef();
  SafeRelease(textures_);
  textures_ = textures;
}

void CSceneRenderer::Release() {
  scene_ = nullptr;
  camera_ = nullptr;
  items_.clear();
  cameras_.clear();
  centres_.clear();
  radii_.clear();
  visibility_.clear();
  blended_.clear();
  if (textures_ != nullptr) {
    for (const MaterialBucket& bucket : buckets_) {
      for (const int frame : bucket.textureFrames) textures_->ReleaseTexture(frame);
    }
  }
  buckets_.clear();
  bucketIndex_.clear();
}

void CSceneRenderer::Rewind() {
  camera_ = nullptr;
  lastTime_ = 0;
  timeStep_ = 0;
  for (size_t i = 0; i < items_.size() && i < builtTextureFrames_.size(); ++i) {
    std::tie(items_[i].textureFrameCounter, items_[i].textureFrameTimer) = builtTextureFrames_[i];
    if (items_[i].drawable) items_[i].drawable->Rewind();
  }
}

int CSceneRenderer::BucketOf(const std::string& name) const {
  const auto found = bucketIndex_.find(name);
  return found != bucketIndex_.end() ? static_cast<int>(found->second) : -1;
}

void CSceneRenderer::RebuildWorldMatrix(RenderItem& item) {
  item.world = NodeWorldMatrix(*item.node);
  item.node->transformDirty = 0;
}
