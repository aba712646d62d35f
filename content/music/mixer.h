#pragma once
// Plays a score: starts a voice for each note at its frame, sums the voices with the
// shared reverb and echo, and masters the sum to 16-bit stereo.
#include <cstdint>
#include <vector>

#include "music/note_event.h"

struct MixSettings {
  int64_t frames;         // length of the result
  int64_t fadeOutFrom;    // the sound fades to silence from here to the end, fastest at first
  int echoDelayFrames;
};

// Interleaved stereo samples, 2 * settings.frames of them. `score` must be sorted by start.
std::vector<int16_t> MixScore(const Score& score, const MixSettings& settings);
