#pragma once
// The terrain flight's fixed geometry: where the landscape lies in the world and the path
// the camera flies over it. The effect flies this path and the content generator carves
// the landscape's valley along it, so both read it from here and cannot drift apart.
#include <array>
#include <span>

#include "render/d3d/d3d_types.h"

// The heightmap "land1.raw": columns x rows bytes, map row 0 first.
inline constexpr int kHeightmapColumns = 64;
inline constexpr int kHeightmapRows = 64;
// World extent of the landscape in x and z, and the height of a sample of 255.
inline constexpr float kLandscapeWidth = 100.0f;
inline constexpr float kLandscapeDepth = 100.0f;
inline constexpr float kLandscapeHeightScale = 20.0f;

inline constexpr int kFlightKeyCount = 8;
using FlightKeys = std::array<D3DVECTOR, kFlightKeyCount>;

// The camera's key points: eye positions, and the points it looks at (each about one unit
// ahead of its eye).
extern const FlightKeys kFlightEyeKeys;
extern const FlightKeys kFlightTargetKeys;

// The uniform cubic B-spline over `points` (at least four) at progress t in 0..1: segment
// floor((m - 3) t), at most the last one, which t = 1 ends. The curve runs from near the
// second point to near the last but one, since a B-spline passes through none of them.
D3DVECTOR FlightSpline(std::span<const D3DVECTOR> points, float t);
