#pragma once
// The render data of one material: how its items blend, their textures, and which items
// are drawn with it.
#include <cstddef>
#include <cstdint>
#include <vector>

struct MaterialBucket {
  uint32_t flags = 0;         // the material's flags (kMaterial... in scene_material.h)
  bool visible = false;       // this frame, at least one of its items passed the visibility test
  bool textured = false;      // the material names a texture
  std::vector<size_t> items;  // indices into the renderer's item list, in build order
  std::vector<int> textureFrames;  // texture slot indices: one, or one per animation frame
};
