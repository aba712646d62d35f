#include "scenes/camera_shots.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scenes/keyframes.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

// Key spacing of sampled camera moves, in seconds: dense enough that the Hermite and
// quadrangle curves between keys cannot stray from the path.
constexpr float kKeyStep = 0.25f;
// How long the first camera is already moving before its shot and the last one still is
// after its shot.
constexpr float kMargin = 1;

Vec3 CatmullRom(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, float t) {
  const float t2 = t * t, t3 = t2 * t;
  return (p1 * 2 + (p2 - p0) * t + (p0 * 2 - p1 * 5 + p2 * 4 - p3) * t2 +
          (p1 * 3 - p0 - p2 * 3 + p3) * t3) *
         0.5f;
}

}  // namespace

Quat CameraRotation(Vec3 eye, Vec3 target, float roll) {
  const Vec3 forward = Normalised(target - eye);
  const Vec3 level = std::fabs(forward.y) > 0.999f ? Vec3{0, 0, 1} : Vec3{0, 1, 0};
  Vec3 right = Normalised(Cross(level, forward));
  Vec3 up = Cross(forward, right);
  const float c = portable::cos(roll), s = portable::sin(roll);
  const Vec3 rolledRight = right * c + up * s;
  up = up * c - right * s;
  right = rolledRight;
  // The renderer turns the camera a quarter turn about x and then by the stored rotation;
  // together they must take the camera's x, y and z (right, up, line of sight) to these.
  const Quat wanted = FromBasis(right, up, forward);
  const Quat quarterTurn = AxisAngle({1, 0, 0}, std::numbers::pi_v<float> / 2);
  return Then(Conjugate(quarterTurn), wanted);
}

Path Still(Vec3 point) {
  return [point](float) { return point; };
}

Path Line(Vec3 from, Vec3 to, float (*ease)(float)) {
  return [=](float progress) { return Lerp(from, to, ease(progress)); };
}

Path Spline(std::vector<Vec3> points, float (*ease)(float)) {
  return [points = std::move(points), ease](float progress) {
    const float along = ease(progress) * static_cast<float>(points.size() - 1);
    const int last = static_cast<int>(points.size()) - 1;
    const int i = std::clamp(static_cast<int>(along), 0, last - 1);
    const auto at = [&](int index) {
      return points[static_cast<size_t>(std::clamp(index, 0, last))];
    };
    return CatmullRom(at(i - 1), at(i), at(i + 1), at(i + 2), along - static_cast<float>(i));
  };
}

Path Orbit(Vec3 centre, float fromRadius, float toRadius, float fromHeight, float toHeight,
           float fromAngle, float toAngle, float (*ease)(float)) {
  return [=](float progress) {
    const float t = ease(progress);
    const float angle = fromAngle + (toAngle - fromAngle) * t;
    const float radius = fromRadius + (toRadius - fromRadius) * t;
    return centre + Vec3{radius * portable::cos(angle), fromHeight + (toHeight - fromHeight) * t,
                         radius * portable::sin(angle)};
  };
}

void AddCameraShots(SceneAssembly& scene, const std::string& prefix,
                    const std::vector<CameraShot>& shots) {
  for (size_t i = 0; i < shots.size(); ++i) {
    const CameraShot& shot = shots[i];
    const std::string name = prefix + std::to_string(i);
    CCamera& camera = scene.AddCamera(name, shot.fov, shot.nearPlane, shot.farPlane);
    const float length = shot.end - shot.start;
    const auto progressAt = [&](float time) {
      return std::clamp((time - shot.start) / length, 0.0f, 1.0f);
    };
    const auto eyeAt = [&](float time) { return shot.eye(progressAt(time)); };
    const auto lookAt = [&](float time) {
      const float progress = progressAt(time);
      return CameraRotation(shot.eye(progress), shot.target(progress),
                            shot.roll ? shot.roll(progress) : 0);
    };
    const float first = i == 0 ? shot.start - kMargin : shot.start;
    const float last = i + 1 == shots.size() ? shot.end + kMargin : shot.end;
    const int segments = std::max(2, static_cast<int>(std::ceil((last - first) / kKeyStep)));
    camera.position = ToD3D(eyeAt(first));
    camera.rotation = ToD3D(lookAt(first));
    NodeTrack& track = scene.Track(name);
    track.positionKeys = SampledVectorKeys(first, last, segments, eyeAt);
    track.rotationKeys = SampledRotationKeys(first, last, segments, lookAt);
  }
}

}  // namespace scenes
