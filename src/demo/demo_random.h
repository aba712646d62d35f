#pragma once
// The demo's one source of chance: a process-wide 15-bit linear congruential generator
// (values 0..32767), seeded the same way at every start, so that every run of the demo,
// and every capture of one moment, shows the same picture.
#include <cstdint>

constexpr int kDemoRandMax = 32767;

// The next value, 0..kDemoRandMax.
int DemoRand();
// Restarts the sequence; the demo runtime seeds with 1 when it is built. Seeding with a
// state DemoRandState gave goes on from where that state was.
void SeedDemoRand(uint32_t seed);
uint32_t DemoRandState();
