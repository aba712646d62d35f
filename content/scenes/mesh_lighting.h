#pragma once
// Light baked into vertex colours: the scene renderer draws without lighting, so shading
// is modelled once here, from a sky-and-ground ambient, directional lights and point lights.
#include <vector>

#include "scenes/mesh.h"

namespace scenes {

struct DirectionalLight {
  Vec3 direction;  // the way the light travels
  ColourValue colour;
};

struct PointLight {
  Vec3 position;
  ColourValue colour;
  float range = 1;  // the light falls off smoothly to nothing at this distance
};

struct LightRig {
  ColourValue sky{0.3f, 0.3f, 0.3f, 1};     // ambient from above
  ColourValue ground{0.1f, 0.1f, 0.1f, 1};  // ambient from below
  std::vector<DirectionalLight> directional;
  std::vector<PointLight> points;
};

// Multiplies each vertex colour by the light that reaches it; the mesh stands where
// `placement` puts it (the lights are in scene space). Alpha stays.
void BakeLighting(Mesh& mesh, const LightRig& rig, const Placement& placement = {});

}  // namespace scenes
