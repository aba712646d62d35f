#include "demo/demo_random.h"

namespace {
uint32_t g_randState = 1;
}  // namespace

int DemoRand() {
  g_randState = g_randState * 214013u + 2531011u;
  return static_cast<int>((g_randState >> 16) & 0x7FFFu);
}

void SeedDemoRand(uint32_t seed) { g_randState = seed; }

uint32_t DemoRandState() { return g_randState; }
