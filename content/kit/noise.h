#pragma once
// Smooth value noise for organic patterns. Every function tiles: the lattice wraps with
// `period` cells, so a picture that maps 0..1 onto `period` cells joins seamlessly.
#include <cstdint>

// Noise in 0..1 at (x, y), in lattice cells; smooth (quintic) interpolation.
float ValueNoise(float x, float y, int period, uint32_t seed);

// Fractal sum of `octaves` noise layers, each twice the frequency and `gain` times the
// amplitude of the one before, normalised to 0..1. (u, v) in 0..1 tiles with the
// picture; `cells` is the lattice size of the first octave.
float FractalNoise(float u, float v, int cells, int octaves, float gain, uint32_t seed);

// Distance (0..~1) from (u, v) to the nearest of a tiling set of `cells` x `cells`
// jittered points: cellular patterns (scales, cells, rivets).
float CellDistance(float u, float v, int cells, uint32_t seed);
