#pragma once
// CAnimator: the key-frame tracks of a heron scene, one per node name, and their
// evaluation (Hermite curves for position and scale, spherical quadrangle interpolation for
// rotation), which writes the nodes' transforms and their dirty and moving bytes.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "render/d3d/d3d_types.h"
#include "render/d3d/result.h"
#include "resources/byte_cursor.h"
#include "scene/byte_writer.h"
#include "scene/scene_node.h"

// A position or scale key (40 bytes): the segment that starts at this key runs along the
// Hermite curve from this value with startTangent to the next key's value with endTangent.
struct VectorKey {
  float time = 0;
  D3DXVECTOR3 value{0, 0, 0};
  D3DXVECTOR3 startTangent{0, 0, 0};
  D3DXVECTOR3 endTangent{0, 0, 0};
};

// A rotation key (52 bytes): the value, the inner control point of the spherical
// quadrangle, and a third quaternion that is stored and never read.
struct RotationKey {
  float time = 0;
  D3DXQUATERNION value{0, 0, 0, 1};
  D3DXQUATERNION control{0, 0, 0, 1};
  D3DXQUATERNION unused{0, 0, 0, 1};
};

struct NodeTrack {
  std::vector<VectorKey> positionKeys;
  std::vector<VectorKey> scaleKeys;
  std::vector<RotationKey> rotationKeys;
};

class CAnimator {
 public:
  // Reads the ".anim" stream (version 1, startTime, endTime, the tracks). Tracks of a name
  // already present append their keys to it. RECORD_E_UNKNOWNVERSION for another
  // version, or what fell short (see ShortfallResult) when the bytes do not hold it.
  HRESULT Load(ByteCursor& stream);
  // Writes the ".anim" stream, version 1, one track per map entry in map order.
  void Save(ByteWriter& stream) const;
  void Clear();

  // Brings every node of `nodes`, in order, to `time`.
  void Evaluate(const std::vector<std::unique_ptr<CSceneNode>>& nodes, float time) const;
  // Brings one node to `time`: clears its moving byte; with a track, marks it dirty and
  // evaluates each non-empty key list.
  void EvaluateNode(CSceneNode& node, float time) const;

  float startTime = 0;  // stored, not used
  float endTime = 0;    // the animation's end
  std::map<std::string, NodeTrack> tracks;
};

// The animator's own spherical interpolation, in single precision: the sine formula
// for -0.95 < a.b < 0.95 (no sign flip), else a normalised linear blend.
D3DXQUATERNION SceneSlerp(const D3DXQUATERNION& a, const D3DXQUATERNION& b, float s);
