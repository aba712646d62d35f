#pragma once
// CSceneRenderer: draws a loaded heron scene. Build turns the scene into render data once:
// a bucket per material (opaque first, then alpha-blended, then additive), a render item per
// mesh, wave surface and particle system, static meshes in one shared vertex buffer. Every
// frame Update brings the scene to a scene time (node tracks, active camera, fog, the radii
// of vertex-animated meshes) and Render draws it: one visibility test for all items, the
// opaque items bucket by bucket, then the blended items from far to near. Vertex-animated
// meshes are blended into a shared dynamic buffer as they are drawn.
//
// Scenes that break the format's promises still draw what they can: drawable nodes in a
// scene without materials go into one untextured opaque bucket, meshes whose vertex buffer
// cannot be made are left out, and animated frames of different sizes blend the vertices
// they share.
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "render/d3d/device.h"
#include "resources/texture_manager.h"
#include "scene/material_bucket.h"
#include "scene/render_item.h"
#include "scene/scene.h"
#include "scene/scene_vertex.h"

class CSceneRenderer {
 public:
  // The dynamic buffer holds at least this many vertices.
  static constexpr DWORD kMinDynamicVertices = 1000;
  // Scene seconds an animated texture shows each frame for, at least.
  static constexpr float kTextureFrameTime = 0.026255444f;

  CSceneRenderer() = default;
  ~CSceneRenderer();
  CSceneRenderer(const CSceneRenderer&) = delete;
  CSceneRenderer& operator=(const CSceneRenderer&) = delete;

  // Takes a counted reference to `textures` (which may be null) and drops the one held.
  void SetTextureManager(CTextureManager* textures);
  // Builds the render data of `scene`, which must outlive the renderer's use of it. A
  // renderer that was built before lets go of that build first.
  void Build(CScene& scene);
  // Brings the scene to scene time `time`; once per frame, before Render.
  void Update(float time);
  // Goes back to the state Build left: no camera chosen, no frame seen, every animated
  // texture at the frame it was built with, every particle unborn.
  void Rewind();
  // Draws the scene at `time`; noDepth 1 draws without depth test and depth writes.
  void Render(float time, int noDepth);
  // Forgets the scene and its camera, hands every texture back to the texture manager and
  // empties the buckets and items. The vertex buffers stay until the renderer goes.
  void Release();

  const std::vector<MaterialBucket>& Buckets() const { return buckets_; }
  const std::vector<RenderItem>& Items() const { return items_; }
  // The bucket of material `name`, or -1 when there is none.
  int BucketOf(const std::string& name) const;
  const CCamera* CurrentCamera() const { return camera_; }
  DWORD DynamicCapacity() const { return dynamicCapacity_; }

 private:
  struct SortedDraw {
    size_t item;
    float distance;  // from the current camera
  };

  // Build steps.
  void BuildBuckets(const std::vector<CMaterial>& materials);
  void AddBucket(const CMaterial& material);
  void LoadTextures(const CMaterial& material, MaterialBucket& bucket);
  // The bucket for material `name`; a name without one falls into the first bucket.
  size_t BucketFor(const std::string& name);
  void AddItem(CSceneNode& node, const std::string& materialName, RenderItem item);
  // A wave surface or particle system: an item that draws itself.
  void AddDrawable(CParameterNode& node, std::unique_ptr<SceneDrawable> drawable);
  void AddMesh(CGeomObject& mesh, std::vector<SceneVertex>& staticVertices, DWORD& dynamicNeed);
  void CreateStaticBuffer(const std::vector<SceneVertex>& vertices);
  void CreateDynamicBuffer(DWORD need);

  // Update steps.
  void ChooseCamera();
  void SetFog(const CCamera& camera) const;
  void SetView(const CCamera& camera) const;

  // Render steps.
  void TestVisibility();
  void SetFrameStates(int noDepth) const;
  void DrawItem(RenderItem& item, float time);
  void SetBlendState(const MaterialBucket& bucket) const;
  void BindTexture(RenderItem& item, const MaterialBucket& bucket) const;
  void DrawMorphing(const RenderItem& item, float time);
  float DistanceToCamera(const CSceneNode& node) const;

  static void RebuildWorldMatrix(RenderItem& item);

  CTextureManager* textures_ = nullptr;
  CScene* scene_ = nullptr;
  IDirect3DVertexBuffer7* staticBuffer_ = nullptr;
  IDirect3DVertexBuffer7* dynamicBuffer_ = nullptr;
  DWORD dynamicCapacity_ = 0;
  DWORD dynamicFill_ = 0;
  std::vector<MaterialBucket> buckets_;
  std::map<std::string, size_t> bucketIndex_;
  std::vector<RenderItem> items_;
  // Parallel to items_, for the one visibility test of a frame.
  std::vector<D3DVECTOR> centres_;
  std::vector<float> radii_;
  std::vector<DWORD> visibility_;
  std::vector<CCamera*> cameras_;
  CCamera* camera_ = nullptr;
  float lastTime_ = 0;
  float timeStep_ = 0;
  // Parallel to items_: each animated texture's frame and timer as built.
  std::vector<std::pair<uint32_t, float>> builtTextureFrames_;
  std::vector<SortedDraw> opaque_;   // depth-tested opaque items of the frame
  std::vector<SortedDraw> blended_;
};
