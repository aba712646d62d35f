#pragma once
// The generators' source of chance: a small, fixed algorithm (SplitMix64) with an explicit
// seed, so that every machine generates the same content.
#include <cstdint>

class ContentRandom {
 public:
  explicit ContentRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next();
  // Uniform in [0, 1).
  float Unit();
  // Uniform in [low, high).
  float Range(float low, float high);
  // Uniform in 0 .. count - 1 (count > 0).
  int Below(int count);

 private:
  uint64_t state_;
};

// A well-mixed 32-bit hash of a lattice point and a seed, for noise.
uint32_t HashPoint(int x, int y, uint32_t seed);
