#include "scenes/mesh_lighting.h"

#include <algorithm>

namespace scenes {
namespace {

void AddScaled(ColourValue& sum, const ColourValue& colour, float amount) {
  sum.r += colour.r * amount;
  sum.g += colour.g * amount;
  sum.b += colour.b * amount;
}

ColourValue LightAt(const LightRig& rig, Vec3 position, Vec3 normal) {
  const float up = 0.5f + 0.5f * normal.y;
  ColourValue light{rig.ground.r + (rig.sky.r - rig.ground.r) * up,
                    rig.ground.g + (rig.sky.g - rig.ground.g) * up,
                    rig.ground.b + (rig.sky.b - rig.ground.b) * up, 1};
  for (const DirectionalLight& directional : rig.directional) {
    AddScaled(light, directional.colour,
              std::max(0.0f, -Dot(normal, Normalised(directional.direction))));
  }
  for (const PointLight& point : rig.points) {
    const Vec3 towards = point.position - position;
    const float distance = Length(towards);
    if (distance >= point.range || distance == 0) continue;
    const float falloff = 1 - distance / point.range;
    AddScaled(light, point.colour,
              std::max(0.0f, Dot(normal, towards * (1 / distance))) * falloff * falloff);
  }
  return light;
}

}  // namespace

void BakeLighting(Mesh& mesh, const LightRig& rig, const Placement& placement) {
  const Mesh placed = Placed(mesh, placement);
  for (size_t i = 0; i < mesh.colours.size(); ++i) {
    const ColourValue light = LightAt(rig, placed.positions[i], placed.normals[i]);
    ColourValue& colour = mesh.colours[i];
    colour.r = std::min(1.0f, colour.r * light.r);
    colour.g = std::min(1.0f, colour.g * light.g);
    colour.b = std::min(1.0f, colour.b * light.b);
  }
}

}  // namespace scenes
