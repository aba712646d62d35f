#pragma once
// Cameras for edited sequences: one camera per shot, each moving exactly while its shot
// lasts, so that the renderer (which follows the first moving camera) cuts from one to the
// next at the shot boundaries.
#include <functional>
#include <string>
#include <vector>

#include "scenes/quaternion.h"
#include "scenes/scene_assembly.h"
#include "kit/vec3.h"

namespace scenes {

// The stored rotation of a camera at `eye` looking at `target`, level except for `roll`
// radians about the line of sight. The renderer turns a camera a quarter turn about x
// before its own rotation; this undoes that.
Quat CameraRotation(Vec3 eye, Vec3 target, float roll = 0);

// A path as a function of the shot's progress 0..1.
using Path = std::function<Vec3(float progress)>;

struct CameraShot {
  float start = 0, end = 0;  // scene seconds
  Path eye;
  Path target;
  std::function<float(float progress)> roll{};  // radians; none: level
  float fov = 0.9f;                             // vertical, radians
  float nearPlane = 0.3f, farPlane = 300;
};

// Paths for shots; `ease` shapes the progress (EaseInOut and the like).
Path Still(Vec3 point);
Path Line(Vec3 from, Vec3 to, float (*ease)(float));
// Along a Catmull-Rom spline through `points`, evenly in parameter.
Path Spline(std::vector<Vec3> points, float (*ease)(float));
// Round the vertical axis through `centre` from angle `fromAngle` to `toAngle` (radians,
// 0 along +x, turning towards +z), the radius and height moving linearly.
Path Orbit(Vec3 centre, float fromRadius, float toRadius, float fromHeight, float toHeight,
           float fromAngle, float toAngle, float (*ease)(float));

// Adds cameras `prefix`0, `prefix`1, ... for `shots` (in time order, each starting where
// the one before ends). The first is also moving from a second before its start and the
// last until a second after its end, so a camera is current at every scene time between.
void AddCameraShots(SceneAssembly& scene, const std::string& prefix,
                    const std::vector<CameraShot>& shots);

}  // namespace scenes
