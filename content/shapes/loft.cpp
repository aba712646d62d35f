#include "shapes/loft.h"
#include "kit/portable_maths.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// How far apart two rings are on the surface: the centre's travel and the change of size.
// Size is measured by the smaller radius, which is what most of a flat ring's points follow:
// the cap of a thin fin is a narrow strip, not a disc as wide as the fin's chord.
float RingDistance(const Ring& a, const Ring& b) {
  const Vec3 travel = b.centre - a.centre;
  const float growth = std::min(b.radiusA, b.radiusB) - std::min(a.radiusA, a.radiusB);
  return std::sqrt(Dot(travel, travel) + growth * growth);
}

Ring Interpolate(const Ring& a, const Ring& b, float t) {
  Ring ring;
  ring.centre = Lerp(a.centre, b.centre, t);
  ring.axisA = Normalised(Lerp(a.axisA, b.axisA, t));
  ring.axisB = Normalised(Lerp(a.axisB, b.axisB, t));
  ring.radiusA = a.radiusA + (b.radiusA - a.radiusA) * t;
  ring.radiusB = a.radiusB + (b.radiusB - a.radiusB) * t;
  return ring;
}

// Appends the rings strictly after keys[first] up to and including keys[last], evenly
// spaced along the polyline of keys between them.
void AppendEvenRun(const std::vector<Ring>& keys, size_t first, size_t last, float spacing,
                   std::vector<Ring>& rings) {
  std::vector<float> reach{0};  // distance from keys[first] to each key of the run
  for (size_t k = first + 1; k <= last; ++k) {
    reach.push_back(reach.back() + RingDistance(keys[k - 1], keys[k]));
  }
  const float total = reach.back();
  const int steps = std::max(1, static_cast<int>(std::lround(total / spacing)));
  size_t segment = 0;
  for (int step = 1; step < steps; ++step) {
    const float target = total * static_cast<float>(step) / static_cast<float>(steps);
    while (reach[segment + 1] < target) ++segment;
    const float span = reach[segment + 1] - reach[segment];
    const float t = span > 0 ? (target - reach[segment]) / span : 0;
    rings.push_back(Interpolate(keys[first + segment], keys[first + segment + 1], t));
  }
  rings.push_back(keys[last]);
}

float Perimeter(const Ring& ring, LoopShape shape) {
  const float a = ring.radiusA, b = ring.radiusB;
  if (shape == LoopShape::kSquare) return 4 * (a + b);
  // Ramanujan's approximation for an ellipse.
  return std::numbers::pi_v<float> * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
}

// Vertices around the ring, zero for a pole.
int LoopCount(const Ring& ring, LoopShape shape, float spacing) {
  if (ring.radiusA == 0 && ring.radiusB == 0) return 0;
  const float spans = Perimeter(ring, shape) / spacing;
  if (shape == LoopShape::kSquare) return 8 * std::max(1, static_cast<int>(std::lround(spans / 8)));
  return std::max(3, static_cast<int>(std::lround(spans)));
}

// The point at fraction t (0..1) of the way around the rectangle, starting from the middle
// of its +axisA side towards +axisB; its corners fall on t = 1/8, 3/8, 5/8 and 7/8 when
// it is square.
Vec3 SquarePoint(const Ring& ring, float t) {
  const float a = ring.radiusA, b = ring.radiusB;
  const float sides[5] = {b, 2 * a, 2 * b, 2 * a, b};
  const float corners[5][2] = {{a, 0}, {a, b}, {-a, b}, {-a, -b}, {a, -b}};
  float left = t * 4 * (a + b);
  int side = 0;
  while (side < 4 && left > sides[side]) left -= sides[side++];
  const float* from = corners[side];
  const float* to = corners[(side + 1) % 5];
  const float f = sides[side] > 0 ? left / sides[side] : 0;
  const float alongA = from[0] + (to[0] - from[0]) * f;
  const float alongB = from[1] + (to[1] - from[1]) * f;
  return ring.centre + ring.axisA * alongA + ring.axisB * alongB;
}

Vec3 LoopPoint(const Ring& ring, LoopShape shape, float t) {
  if (shape == LoopShape::kSquare) return SquarePoint(ring, t);
  const float angle = 2 * std::numbers::pi_v<float> * t;
  return ring.centre + ring.axisA * (portable::cos(angle) * ring.radiusA) +
         ring.axisB * (portable::sin(angle) * ring.radiusB);
}

// The vertices of one ring: `count` + 1 of them (the seam twice), or one for a pole.
std::vector<uint16_t> AddRingVertices(MeshBuilder& mesh, const Ring& ring, int count,
                                      LoopShape shape, float v) {
  if (count == 0) return {mesh.AddVertex(ring.centre, {0.5f, v})};
  std::vector<uint16_t> indices;
  for (int k = 0; k <= count; ++k) {
    const float t = static_cast<float>(k) / static_cast<float>(count);
    indices.push_back(mesh.AddVertex(LoopPoint(ring, shape, k == count ? 0 : t), {t, v}));
  }
  return indices;
}

// Joins ring `a` (m spans) to ring `b` (n spans), walking both by their fraction around
// and always advancing the one whose next vertex comes first.
void Stitch(MeshBuilder& mesh, const std::vector<uint16_t>& a, int m,
            const std::vector<uint16_t>& b, int n) {
  int i = 0, j = 0;
  while (i < m || j < n) {
    const bool advanceA = j == n || (i < m && (i + 1) * n < (j + 1) * m);
    if (advanceA) {
      mesh.AddTriangle(a[i], b[j], a[i + 1]);
      ++i;
    } else {
      mesh.AddTriangle(a[i], b[j], b[j + 1]);
      ++j;
    }
  }
}

}  // namespace

std::vector<Ring> SpaceRings(const std::vector<Ring>& keys, float spacing) {
  std::vector<Ring> rings{keys.front()};
  size_t runStart = 0;
  for (size_t k = 1; k < keys.size(); ++k) {
    if (keys[k].sharp || k + 1 == keys.size()) {
      AppendEvenRun(keys, runStart, k, spacing, rings);
      runStart = k;
    }
  }
  return rings;
}

void AddLoft(MeshBuilder& mesh, const std::vector<Ring>& rings, LoopShape shape, float spacing) {
  std::vector<float> along{0};
  for (size_t r = 1; r < rings.size(); ++r) {
    along.push_back(along.back() + RingDistance(rings[r - 1], rings[r]));
  }
  std::vector<uint16_t> previous;
  int previousCount = 0;
  for (size_t r = 0; r < rings.size(); ++r) {
    const int count = LoopCount(rings[r], shape, spacing);
    const float v = along.back() > 0 ? along[r] / along.back() : 0;
    std::vector<uint16_t> current = AddRingVertices(mesh, rings[r], count, shape, v);
    if (r > 0) Stitch(mesh, previous, previousCount, current, count);
    previous = std::move(current);
    previousCount = count;
  }
}
