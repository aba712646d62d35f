#pragma once
// Value noise with its own lattice size along each axis, for streaky patterns (brushed
// metal, fibres) that must still tile: (u, v) in 0..1 covers `cellsU` x `cellsV` cells and
// the pattern repeats exactly with that square.
#include <cstdint>

namespace surfaces {

// Noise in 0..1, smooth (quintic) interpolation between hashed lattice values.
float StretchedNoise(float u, float v, int cellsU, int cellsV, uint32_t seed);

}  // namespace surfaces
