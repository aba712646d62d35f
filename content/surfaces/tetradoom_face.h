#pragma once
// "tetradoom.png", the face of every triangle of the fractal tetrahedron (alpha format,
// added to the screen weighted by its alpha). Each triangle samples the same cut of it,
// with corners at (0.5, 0), (0, 1) and (1, 1): glowing edges and two further levels of
// the fractal's triangle pattern inside, over a faint body; outside the cut the picture is
// fully transparent.
#include "kit/pixel_image.h"

namespace surfaces {

inline constexpr int kTetradoomFaceSize = 256;

// Barycentric weights of (u, v) with respect to the face's corners (0.5, 0), (0, 1),
// (1, 1); all three are 0..1 inside the face.
struct FaceWeights {
  float apex, left, right;
};
FaceWeights FaceWeightsAt(float u, float v);

PixelImage MakeTetradoomFace();

}  // namespace surfaces
