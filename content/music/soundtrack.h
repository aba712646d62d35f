#pragma once
// The demo's soundtrack, synthesised: interleaved 16-bit stereo at kSampleRate,
// TotalFrames() frames long, its sections changing exactly at the timeline's cuts.
#include <cstdint>
#include <vector>

std::vector<int16_t> RenderSoundtrack();
