#pragma once
// One drawable node of a scene as the renderer keeps it: a mesh (its index list and its
// place in a vertex buffer), or a wave surface or particle system that draws itself.
#include <cstdint>
#include <memory>
#include <vector>

#include "render/d3d/d3d_types.h"
#include "scene/scene_drawable.h"
#include "scene/scene_node.h"

struct RenderItem {
  bool visible = false;   // result of this frame's visibility test
  bool morphing = false;  // a mesh with two or more frames, blended at every draw
  CSceneNode* node = nullptr;
  const CGeomObject* mesh = nullptr;  // the node, when it is a mesh
  std::vector<uint16_t> indices;      // the triangles of the mesh's first frame
  DWORD startVertex = 0;              // static meshes: the range in the static buffer
  DWORD vertexCount = 0;
  D3DXMATRIX world{};
  size_t bucket = 0;
  std::unique_ptr<SceneDrawable> drawable;  // wave surfaces and particle systems
  uint32_t textureFrameCounter = 0;         // animated textures: the frame shown is this mod n
  float textureFrameTimer = 0;              // scene seconds since the frame last changed
};
