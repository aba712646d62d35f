#pragma once
// CScene: one heron scene as loaded from its storage in the archive: the header with its
// fog, the materials, the nodes and the animator. The tools save a scene into the same
// streams: ".scene" (header, material names, node types and names), one stream per
// material and per node, named after it, and ".anim".
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "render/d3d/result.h"
#include "resources/archive.h"
#include "scene/animator.h"
#include "scene/scene_material.h"
#include "scene/scene_node.h"

// A stream of a scene storage: its name and its bytes.
using SceneStream = std::pair<std::string, std::vector<uint8_t>>;

// An entry of the node list that makes no node (type 2 or unknown). It is kept, with its
// place in the list, only so that saving a loaded scene writes the same ".scene" bytes.
struct SkippedNodeEntry {
  size_t listIndex = 0;  // its position in the node list as stored
  uint32_t type = 2;
  std::string name;
};

class CScene {
 public:
  // Discards what the scene held and reads it from `storage`. Every stream is read whole
  // and every field checked against the bytes there are, so a damaged scene fails with a
  // result code instead of reading past its data; a missing node or material stream fails
  // with the open's result; an animator that fails to load leaves the scene unanimated.
  HRESULT Load(IStorage* storage);
  // The scene's streams, in the order the loader opens them: ".scene", the nodes', the
  // materials', ".anim".
  std::vector<SceneStream> Save() const;
  void Clear();

  float header[4]{};  // stored, never read
  uint32_t fogEnabled = 0;  // non-zero: linear fog
  float fogStart = 0, fogEnd = 1;  // fractions of the active camera's depth range
  ColourValue fogColour{0, 0, 0, 1};
  std::vector<CMaterial> materials;
  std::vector<std::unique_ptr<CSceneNode>> nodes;
  std::vector<SkippedNodeEntry> skippedEntries;
  CAnimator animator;
};
