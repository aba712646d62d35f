#pragma once
// CTetradoomEffect draws a glowing fractal tetrahedron, five levels of a tetrahedron with its
// central octahedron cut away, with a camera that circles it and bobs up and down. The
// triangles are made once at Init and drawn each frame from memory, blended additively and
// without depth, so their order does not matter.
#include <vector>

#include "demo/part.h"
#include "render/d3d/d3d_types.h"

// Position and one texture coordinate pair.
struct TetradoomVertex {
  float x, y, z;
  float u, v;
};
constexpr DWORD kTetradoomVertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;

// The fractal's triangles, three vertices each, subdivided `depth` levels from the regular
// tetrahedron of edge 6 x sqrt(3) standing on y = 0.
std::vector<TetradoomVertex> MakeTetradoom(int depth);

// Where the camera looks from at `t`, the fraction of the owner's time span elapsed.
D3DVECTOR TetradoomEye(float t);

class CTetradoomEffect : public CPart {
 public:
  explicit CTetradoomEffect(CDemo* owner);
  // Gives the texture back, unless Release already did.
  ~CTetradoomEffect() override;

  // Loads the face texture and builds the depth-5 fractal.
  void Init() override;
  // Draws the fractal at `t`, the fraction of the owner's span. It counts no frames.
  void Render(float t) override;
  // Gives the texture back; the triangles stay until the effect is destroyed.
  void Release() override;

  const std::vector<TetradoomVertex>& Triangles() const { return triangles_; }

 private:
  std::vector<TetradoomVertex> triangles_;
  bool holdsTexture_ = false;
};
