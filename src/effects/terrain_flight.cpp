#include "effects/terrain_flight.h"

#include <algorithm>
#include <cmath>

// World units.
const FlightKeys kFlightEyeKeys = {{{18.1859f, 15.6591f, 92.9505f},
                                    {38.2611f, 16.9164f, 88.3488f},
                                    {53.6705f, 9.5829f, 77.1602f},
                                    {70.2467f, 10.1924f, 68.4083f},
                                    {74.9388f, 11.4133f, 52.4221f},
                                    {59.3344f, 11.6541f, 41.6273f},
                                    {59.9131f, 16.0360f, 25.9486f},
                                    {53.7664f, 11.6374f, 14.8587f}}};

const FlightKeys kFlightTargetKeys = {{{19.1314f, 15.6458f, 92.6253f},
                                       {39.0264f, 16.7444f, 87.7285f},
                                       {54.4751f, 9.5283f, 76.5688f},
                                       {70.7987f, 10.2572f, 67.5770f},
                                       {74.2248f, 11.4849f, 51.7256f},
                                       {59.4291f, 11.8581f, 40.6529f},
                                       {59.9080f, 15.8299f, 24.9701f},
                                       {53.3022f, 11.4015f, 14.0050f}}};

D3DVECTOR FlightSpline(std::span<const D3DVECTOR> points, float t) {
  const int lastSegment = static_cast<int>(points.size()) - 4;
  const float s = static_cast<float>(points.size() - 3) * t;
  const int segment = std::clamp(static_cast<int>(std::floor(s)), 0, lastSegment);
  const float f = s - static_cast<float>(segment);
  const float f2 = f * f, f3 = f2 * f;
  const float weights[4] = {(1 - f) * (1 - f) * (1 - f), 3 * f3 - 6 * f2 + 4,
                            -3 * f3 + 3 * f2 + 3 * f + 1, f3};
  D3DVECTOR sum{0, 0, 0};
  for (int k = 0; k < 4; ++k) {
    const D3DVECTOR& point = points[segment + k];
    sum.x += weights[k] * point.x;
    sum.y += weights[k] * point.y;
    sum.z += weights[k] * point.z;
  }
  constexpr float kSixth = 0.16666667f;
  return {sum.x * kSixth, sum.y * kSixth, sum.z * kSixth};
}
