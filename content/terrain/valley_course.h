#pragma once
// The valley the terrain flight follows: its course over the landscape and how it cuts
// into the mountains.
#include <vector>

// A point of the valley's course and the height of its floor there (world units).
struct CoursePoint {
  float x, z, floor;
};

// The eye's path over the flight, sampled finely, with the floor cut just below the eye;
// before it a valley head and after it a bend where the floor climbs into the mountains.
std::vector<CoursePoint> ValleyCourse();

struct ValleyCut {
  float ceiling;   // the highest the ground may be
  float distance;  // to the nearest point of the course
};

// How the valley along `course` cuts the ground at (x, z).
ValleyCut CutValley(float x, float z, const std::vector<CoursePoint>& course);
