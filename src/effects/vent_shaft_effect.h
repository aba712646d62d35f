#pragma once
// CVentShaftEffect flies down an endless, winding shaft: 30 short slices of tube stream
// toward the camera and wrap back to the far end, their walls fading to black with depth,
// with a narrower grating tube blended inside them. All geometry is rebuilt every frame.
#include <cstdint>
#include <vector>

#include "demo/part.h"
#include "scene/scene_vertex.h"

inline constexpr int kShaftSlices = 30;
inline constexpr int kShaftRingPositions = 25;  // around a ring; the last repeats the first
inline constexpr int kShaftSliceVertices = 2 * kShaftRingPositions;
inline constexpr int kShaftSliceIndices = 6 * kShaftRingPositions;

// The front and back depth of a slice of the shaft.
struct ShaftSlice {
  float front, back;
};

// The shaft's centre line at depth `z` and part progress `t`: its x and y.
D3DVECTOR ShaftCentre(float z, float t);

// Moves `slice` toward the camera by `travel` depth units; once its back has passed the
// camera (depth 0) it reappears 30 units further on, its length kept.
void AdvanceSlice(ShaftSlice& slice, float travel);

class CVentShaftEffect : public CPart {
 public:
  explicit CVentShaftEffect(CDemo* owner);
  // Gives back the textures Init took, unless Release already did.
  ~CVentShaftEffect() override;

  // Builds the ring template, puts the slices at their start and loads the textures.
  void Init() override;
  void Render(float progress) override;
  // The slices go back to their start, and the shared times to 0.
  void Rewind() override;
  void Release() override;

  // Shared by every instance: the progress of the last frame drawn (0 before the first)
  // and of the frame being drawn.
  static float previousTime;
  static float currentTime;

  ShaftSlice slices[kShaftSlices]{};
  std::vector<SceneVertex> vertices;
  std::vector<uint16_t> indices;

 private:
  // Writes slice `slice` into the arrays: its ring at its front and back depths, `scale`
  // times the template's radius about the centre line.
  void BuildSlice(int slice, float scale);
  void BuildAllSlices(float scale);
  void PlaceSlicesAtStart();
  void PlaceCamera() const;
  void DrawWalls();
  void DrawGrating();

  SceneVertex ringTemplate_[kShaftSliceVertices]{};
  bool holdsTextures_ = false;
};
