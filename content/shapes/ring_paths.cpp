#include "shapes/ring_paths.h"

#include <algorithm>

namespace {

// The direction in which the centres travel at ring i.
Vec3 TravelAt(const std::vector<Vec3>& centres, size_t i) {
  const size_t before = i == 0 ? 0 : i - 1;
  const size_t after = std::min(i + 1, centres.size() - 1);
  return Normalised(centres[after] - centres[before]);
}

}  // namespace

std::vector<Vec3> SmoothCurve(const std::vector<Vec3>& points, int samplesPerSpan) {
  std::vector<Vec3> curve;
  const size_t last = points.size() - 1;
  for (size_t i = 0; i < last; ++i) {
    const Vec3 p0 = points[i == 0 ? 0 : i - 1], p1 = points[i], p2 = points[i + 1];
    const Vec3 p3 = points[std::min(i + 2, last)];
    for (int s = 0; s < samplesPerSpan; ++s) {
      const float t = static_cast<float>(s) / static_cast<float>(samplesPerSpan);
      const float t2 = t * t, t3 = t2 * t;
      curve.push_back((p1 * 2 + (p2 - p0) * t + (p0 * 2 - p1 * 5 + p2 * 4 - p3) * t2 +
                       (p1 * 3 - p0 - p2 * 3 + p3) * t3) *
                      0.5f);
    }
  }
  curve.push_back(points[last]);
  return curve;
}

std::vector<ProfilePoint> SmoothProfile(const std::vector<ProfilePoint>& profile,
                                        int samplesPerSpan) {
  std::vector<ProfilePoint> smooth{profile.front()};
  std::vector<Vec3> run{{profile.front().radius, profile.front().height, 0}};
  for (size_t i = 1; i < profile.size(); ++i) {
    run.push_back({profile[i].radius, profile[i].height, 0});
    if (!profile[i].sharp && i + 1 < profile.size()) continue;
    const std::vector<Vec3> curve = SmoothCurve(run, samplesPerSpan);
    for (size_t k = 1; k < curve.size(); ++k) smooth.push_back({curve[k].x, curve[k].y, false});
    smooth.back() = profile[i];
    run = {run.back()};
  }
  return smooth;
}

std::vector<Ring> LatheRings(const std::vector<ProfilePoint>& profile) {
  std::vector<Ring> rings;
  for (const ProfilePoint& point : profile) {
    Ring ring;
    ring.centre = {0, point.height, 0};
    ring.radiusA = point.radius;
    ring.radiusB = point.radius;
    ring.sharp = point.sharp;
    rings.push_back(ring);
  }
  return rings;
}

std::vector<Ring> TubeRings(const std::vector<Vec3>& path, const std::vector<Vec3>& radii,
                            Vec3 up) {
  std::vector<Ring> rings;
  for (size_t i = 0; i < path.size(); ++i) {
    const Vec3 travel = TravelAt(path, i);
    Ring ring;
    ring.centre = path[i];
    ring.axisA = Normalised(up - travel * Dot(up, travel));
    ring.axisB = Cross(ring.axisA, travel);
    ring.radiusA = radii[i].x;
    ring.radiusB = radii[i].y;
    rings.push_back(ring);
  }
  return rings;
}

std::vector<Ring> FinRings(const std::vector<Vec3>& leading, const std::vector<Vec3>& trailing,
                           const std::vector<float>& thickness) {
  std::vector<Vec3> centres;
  for (size_t i = 0; i < leading.size(); ++i) {
    centres.push_back(Lerp(leading[i], trailing[i], 0.5f));
  }
  std::vector<Ring> rings;
  for (size_t i = 0; i < centres.size(); ++i) {
    const Vec3 chord = leading[i] - trailing[i];
    Ring ring;
    ring.centre = centres[i];
    ring.axisA = Normalised(chord);
    ring.axisB = Normalised(Cross(ring.axisA, TravelAt(centres, i)));
    ring.radiusA = Length(chord) * 0.5f;
    ring.radiusB = thickness[i] * 0.5f;
    rings.push_back(ring);
  }
  return rings;
}

std::vector<Ring> CapEnd(std::vector<Ring> rings) {
  rings.back().sharp = true;
  Ring pole = rings.back();
  pole.radiusA = 0;
  pole.radiusB = 0;
  rings.push_back(pole);
  return rings;
}
