#pragma once
// The marching-cubes case tables. A cube's case number has bit i set when corner i lies
// outside the surface (its field value below the iso level). Corners are numbered 0 (x, y, z),
// 1 (x+1, y, z), 2 (x+1, y+1, z), 3 (x, y+1, z) and 4..7 the same at z+1; edges 0..11 join
// corners 0-1, 1-2, 2-3, 3-0, 4-5, 5-6, 6-7, 7-4, 0-4, 1-5, 2-6, 3-7.
#include <cstdint>

// For each case, bit e set when edge e joins a corner inside to a corner outside, so the
// surface crosses it.
extern const uint16_t kCubeEdgeMasks[256];

// For each case, up to five triangles as edge numbers, three at a time, ended by -1. A
// triangle's corners (a, b, c) wind so that (b - a) x (c - a) points out of the surface.
extern const int8_t kCubeTriangles[256][16];
