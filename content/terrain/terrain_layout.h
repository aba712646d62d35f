#pragma once
// Where the terrain flight puts things: the heightmap grid's place in the world and the
// camera's flight path, evaluated exactly as the effect does at run time, so that the
// generated landscape can be shaped around the flight.
#include <array>

inline constexpr int kHeightmapColumns = 64;
inline constexpr int kHeightmapRows = 64;
// World extent of the landscape in x and z, and the height of a sample of 255.
inline constexpr float kLandscapeWidth = 100.0f;
inline constexpr float kLandscapeDepth = 100.0f;
inline constexpr float kLandscapeHeightScale = 20.0f;

struct WorldPoint {
  float x = 0, y = 0, z = 0;
};

inline constexpr int kFlightKeyCount = 8;
using FlightKeys = std::array<WorldPoint, kFlightKeyCount>;

// The camera's key points: eye positions and the points it looks at.
const FlightKeys& FlightEyeKeys();
const FlightKeys& FlightTargetKeys();

// The uniform cubic B-spline through `keys` at progress t in 0..1 (0 = the part's start,
// 1 = its end); the curve runs from near key 1 to near key 6.
WorldPoint EvaluateFlightSpline(const FlightKeys& keys, float t);

// World x of heightmap column `column` and world z of map row `row` (row 0 lies at the far
// edge, z = depth).
float ColumnToWorldX(int column);
float RowToWorldZ(int row);
