// Building the render data of a scene: material buckets, render items and vertex buffers.
#include <algorithm>

#include "demo/demo.h"
#include "demo/demo_random.h"
#include "scene/animated_texture_names.h"
#include "scene/scene_colour.h"
#include "scene/scene_particles.h"
#include "scene/scene_renderer.h"
#include "scene/scene_vertex_buffer.h"
#include "scene/scene_wave.h"

namespace {

// Both shared buffers live in system memory and are only ever written.
constexpr DWORD kBufferCaps = D3DVBCAPS_SYSTEMMEMORY | D3DVBCAPS_WRITEONLY;
constexpr DWORD kStaticLock = DDLOCK_WAIT | DDLOCK_WRITEONLY;

bool IsBlended(uint32_t flags) {
  return (flags & (kMaterialAdditive | kMaterialAlphaBlended)) != 0;
}

}  // namespace

void CSceneRenderer::Build(CScene& scene) {
  Release();
  scene_ = &scene;
  BuildBuckets(scene.materials);

  std::vector<SceneVertex> staticVertices;
  DWORD dynamicNeed = 0;
  for (const std::unique_ptr<CSceneNode>& node : scene.nodes) {
    switch (node->Type()) {
      case kGeomObjectNode:
        AddMesh(static_cast<CGeomObject&>(*node), staticVertices, dynamicNeed);
        break;
      case kWaveNode: {
        auto& wave = static_cast<CNURBWave&>(*node);
        AddDrawable(wave, std::make_unique<CSceneWave>(wave));
        break;
      }
      case kParticleSystemNode: {
        auto& particles = static_cast<CParticleSystem&>(*node);
        AddDrawable(particles, std::make_unique<CSceneParticles>(particles));
        break;
      }
      case kCameraNode:
        cameras_.push_back(static_cast<CCamera*>(node.get()));
        break;
      default:  // lights play no part in drawing
        break;
    }
  }
  if (!staticVertices.empty()) CreateStaticBuffer(staticVertices);
  if (dynamicNeed > 0) CreateDynamicBuffer(dynamicNeed);
  builtTextureFrames_.clear();
  for (const RenderItem& item : items_) {
    builtTextureFrames_.emplace_back(item.textureFrameCounter, item.textureFrameTimer);
  }
}

void CSceneRenderer::BuildBuckets(const std::vector<CMaterial>& materials) {
  // Opaque materials first, then alpha-blended, then additive; a material with both
  // blending flags gets a bucket in each of the last two passes.
  for (const CMaterial& material : materials) {
    if (!IsBlended(material.flags)) AddBucket(material);
  }
  for (const CMaterial& material : materials) {
    if ((material.flags & kMaterialAlphaBlended) != 0) AddBucket(material);
  }
  for (const CMaterial& material : materials) {
    if ((material.flags & kMaterialAdditive) != 0) AddBucket(material);
  }
}

void CSceneRenderer::AddBucket(const CMaterial& material) {
  MaterialBucket bucket;
  bucket.flags = material.flags;
  if (!material.textureName.empty()) {
    LoadTextures(material, bucket);
    bucket.textured = true;
  }
  bucketIndex_[material.name] = buckets_.size();
  buckets_.push_back(std::move(bucket));
}

void CSceneRenderer::LoadTextures(const CMaterial& material, MaterialBucket& bucket) {
  const TextureFormat format =
      (material.flags & kMaterialAlphaBlended) != 0 ? kAlphaTextureFormat : kDefaultTextureFormat;
  const std::vector<std::string> names =
      (material.flags & kMaterialAnimatedTexture) != 0
          ? AnimatedTextureNames(material.name, material.textureName)
          : std::vector<std::string>{material.textureName};
  for (const std::string& name : names) {
    // A texture that cannot be loaded has no slot; -1 binds none.
    int slot = -1;
    if (textures_ != nullptr) {
      textures_->LoadTexture(name, format, 0);
      textures_->FindTexture(name, &slot);
    }
    bucket.textureFrames.push_back(slot);
  }
}

size_t CSceneRenderer::BucketFor(const std::string& name) {
  const auto found = bucketIndex_.find(name);
  if (found != bucketIndex_.end()) return found->second;
  // Without any material there is no first bucket: items then share a plain opaque one.
  if (buckets_.empty()) buckets_.emplace_back();
  bucketIndex_[name] = 0;
  return 0;
}

void CSceneRenderer::AddItem(CSceneNode& node, const std::string& materialName, RenderItem item) {
  item.node = &node;
  item.bucket = BucketFor(materialName);
  RebuildWorldMatrix(item);
  buckets_[item.bucket].items.push_back(items_.size());
  items_.push_back(std::move(item));
  centres_.push_back({0, 0, 0});
  radii_.push_back(0);
  visibility_.push_back(0);
}

void CSceneRenderer::AddDrawable(CParameterNode& node, std::unique_ptr<SceneDrawable> drawable) {
  RenderItem item;
  item.drawable = std::move(drawable);
  AddItem(node, node.materialName, std::move(item));
}

void CSceneRenderer::AddMesh(CGeomObject& mesh, std::vector<SceneVertex>& staticVertices,
                             DWORD& dynamicNeed) {
  RenderItem item;
  item.mesh = &mesh;
  // A mesh without frames has nothing to draw; it keeps its place among the items.
  if (!mesh.frames.empty()) {
    const MeshFrame& frame = mesh.frames.front();
    if (mesh.frames.size() < 2) {
      item.startVertex = static_cast<DWORD>(staticVertices.size());
      item.vertexCount = static_cast<DWORD>(frame.positions.size());
      for (size_t i = 0; i < frame.positions.size(); ++i) {
        const D3DXVECTOR3& p = frame.positions[i];
        const MeshUv uv = i < frame.uvs.size() ? frame.uvs[i] : MeshUv{0, 0};
        const D3DCOLOR colour =
            i < frame.colours.size() ? PackColourTruncated(frame.colours[i]) : 0xFFFFFFFFu;
        staticVertices.push_back({p.x, p.y, p.z, colour, uv.u, uv.v});
      }
    } else {
      item.morphing = true;
      dynamicNeed = std::max(dynamicNeed, static_cast<DWORD>(frame.positions.size()));
    }
    for (const MeshFace& face : frame.faces) {
      item.indices.insert(item.indices.end(), {face.a, face.b, face.c});
    }
  }
  item.textureFrameCounter = static_cast<uint32_t>(DemoRand() % 32);
  item.textureFrameTimer = static_cast<float>(DemoRand() % 1024) / 1024.0f / 15.0f;
  AddItem(mesh, mesh.materialName, std::move(item));
}

void CSceneRenderer::CreateStaticBuffer(const std::vector<SceneVertex>& vertices) {
  SafeRelease(staticBuffer_);
  // More vertices than a buffer holds: the static meshes cannot be drawn.
  if (vertices.size() > kMaxSceneBufferVertices) return;
  staticBuffer_ = CreateSceneVertexBuffer(static_cast<DWORD>(vertices.size()), kBufferCaps);
  void* data = nullptr;
  if (staticBuffer_ == nullptr || FAILED(staticBuffer_->Lock(kStaticLock, &data, nullptr))) {
    SafeRelease(staticBuffer_);
    return;
  }
  std::copy(vertices.begin(), vertices.end(), static_cast<SceneVertex*>(data));
  staticBuffer_->Unlock();
  staticBuffer_->Optimize(g_d3dDevice, 0);
}

void CSceneRenderer::CreateDynamicBuffer(DWORD need) {
  dynamicCapacity_ = std::max(need, kMinDynamicVertices);
  SafeRelease(dynamicBuffer_);
  dynamicBuffer_ = CreateSceneVertexBuffer(dynamicCapacity_, kBufferCaps);
  if (dynamicBuffer_ == nullptr) dynamicCapacity_ = 0;
  dynamicFill_ = 0;
}
