#pragma once
// Ways of describing a surface as key rings for SpaceRings: turned about an axis, swept
// along a path, or stretched between the leading and trailing edges of a fin.
#include <vector>

#include "shapes/loft.h"
#include "kit/vec3.h"

// A smooth curve through `points` (Catmull-Rom, ends held), `samplesPerSpan` points per
// span between neighbours, the last point included.
std::vector<Vec3> SmoothCurve(const std::vector<Vec3>& points, int samplesPerSpan);

// A profile point of a lathe: the radius from the y axis at a height.
struct ProfilePoint {
  float radius = 0;
  float height = 0;
  bool sharp = false;
};

// `profile` made smooth between its sharp points (and its ends), which stay as corners.
std::vector<ProfilePoint> SmoothProfile(const std::vector<ProfilePoint>& profile,
                                        int samplesPerSpan);

// Rings about the y axis through the profile, bottom to top. The surface faces outward
// when the profile runs up the outside of the shape (or out along the bottom and in along
// the top).
std::vector<Ring> LatheRings(const std::vector<ProfilePoint>& profile);

// Rings centred on `path`, radiusA = radii[i].x along the direction of `up` (made square to
// the path) and radiusB = radii[i].y across it.
std::vector<Ring> TubeRings(const std::vector<Vec3>& path, const std::vector<Vec3>& radii, Vec3 up);

// Rings of a fin between its `leading` and `trailing` edge curves, root to tip: each is an
// ellipse whose long axis is the chord and whose short radius is half of `thickness[i]`.
std::vector<Ring> FinRings(const std::vector<Vec3>& leading, const std::vector<Vec3>& trailing,
                           const std::vector<float>& thickness);

// `rings` closed at the end by a flat cap that shrinks to a pole; the rim becomes sharp.
std::vector<Ring> CapEnd(std::vector<Ring> rings);
