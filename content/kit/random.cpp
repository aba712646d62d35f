#include "kit/random.h"

uint64_t ContentRandom::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

float ContentRandom::Unit() { return static_cast<float>(Next() >> 40) / 16777216.0f; }

float ContentRandom::Range(float low, float high) { return low + (high - low) * Unit(); }

int ContentRandom::Below(int count) {
  return static_cast<int>(Next() % static_cast<uint64_t>(count));
}

uint32_t HashPoint(int x, int y, uint32_t seed) {
  uint32_t h = seed * 0x27D4EB2Du;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}
