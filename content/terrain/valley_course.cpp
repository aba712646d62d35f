#include "terrain/valley_course.h"

#include <algorithm>
#include <cmath>

#include "kit/noise.h"
#include "terrain/shaping.h"
#include "terrain/terrain_layout.h"
#include "kit/portable_maths.h"

namespace {

// Samples of the flight; about 0.1 world units apart.
constexpr int kFlightSamples = 800;
// Samples along each stretch of the valley beyond the flight.
constexpr int kStretchSamples = 40;

// The valley floor under the eye at flight progress t. The eye skims it by 0.85 to 1.55
// units; where the eye climbs (the dive in at the start, the pull up at the end) the
// floor stays down and the clearance grows.
float FloorUnderFlight(float t, float eyeHeight) {
  const float skim = 0.85f + 0.7f * ValueNoise(t * 7.0f, 0.5f, 64, 7500u);
  const float highestFloor = 10.6f + 0.6f * ValueNoise(t * 5.0f, 2.5f, 64, 7550u);
  return std::min(eyeHeight - skim, highestFloor);
}

void AddStretch(std::vector<CoursePoint>& course, CoursePoint from, CoursePoint to) {
  for (int step = 0; step < kStretchSamples; ++step) {
    const float f = static_cast<float>(step) / kStretchSamples;
    course.push_back({std::lerp(from.x, to.x, f), std::lerp(from.z, to.z, f),
                      std::lerp(from.floor, to.floor, f)});
  }
}

// Spurs and gullies down the valley walls: sharp-crested noise, 0..1.
float Crags(float u, float v) {
  float sum = 0;
  for (int octave = 0; octave < 2; ++octave) {
    const float cells = 11.0f * static_cast<float>(1 << octave);
    const float n = ValueNoise(u * cells, v * cells, 64, 7800u + octave * 7u);
    sum += Squared(1.0f - std::fabs(2.0f * n - 1.0f)) / static_cast<float>(1 << octave);
  }
  return sum / 1.5f;
}

}  // namespace

std::vector<CoursePoint> ValleyCourse() {
  const CoursePoint head[] = {{6, 95, 15.5f}, {18, 93, 12.1f}, {29, 90.5f, 10.5f}};
  const CoursePoint bend[] = {
      {57, 19.5f, 10.8f}, {53.5f, 14, 11.2f}, {45, 9.5f, 12.6f}, {35, 9, 15.5f}};
  std::vector<CoursePoint> flight;
  for (int sample = 0; sample <= kFlightSamples; ++sample) {
    const float t = static_cast<float>(sample) / kFlightSamples;
    const D3DVECTOR eye = FlightSpline(kFlightEyeKeys, t);
    flight.push_back({eye.x, eye.z, FloorUnderFlight(t, eye.y)});
  }
  std::vector<CoursePoint> course;
  AddStretch(course, head[0], head[1]);
  AddStretch(course, head[1], head[2]);
  AddStretch(course, head[2], flight.front());
  course.insert(course.end(), flight.begin(), flight.end());
  AddStretch(course, flight.back(), bend[0]);
  for (int index = 0; index + 1 < 4; ++index) AddStretch(course, bend[index], bend[index + 1]);
  course.push_back(bend[3]);
  return course;
}

ValleyCut CutValley(float x, float z, const std::vector<CoursePoint>& course) {
  const float u = x / kLandscapeWidth, v = z / kLandscapeDepth;
  // Every course point sinks a funnel: a flat floor widening into walls. The floor reaches
  // at least 2.5 units from the course, beyond the 2.25-unit diagonal of a grid square, so
  // the triangles under the eye lie wholly on the floor.
  const float floorWidth = 2.5f + 4.0f * Squared(FractalNoise(u, v, 6, 2, 0.5f, 7600u));
  const float steepness = 0.6f + 0.9f * FractalNoise(u, v, 8, 3, 0.5f, 7700u);
  const float crags = 4.0f * Crags(u, v);
  const float hollows = 0.35f * FractalNoise(u, v, 9, 2, 0.5f, 7900u);
  ValleyCut cut{1e9f, 1e9f};
  for (const CoursePoint& point : course) {
    const float distance = portable::hypot(x - point.x, z - point.z);
    const float beyondFloor = std::max(0.0f, distance - floorWidth);
    const float wall =
        steepness * (9.0f * (1.0f - portable::exp(-beyondFloor / 3.0f)) + 0.3f * beyondFloor) +
        crags * std::min(1.0f, beyondFloor / 2.5f);
    cut.ceiling = std::min(cut.ceiling, point.floor - hollows + wall);
    cut.distance = std::min(cut.distance, distance);
  }
  return cut;
}
