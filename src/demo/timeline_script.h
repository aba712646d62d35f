#pragma once
// The demo's script: every part of the demo with its name and time window, in order.
class CDemo;

// Added to every scripted start and end, so the first part begins this long after the
// music starts.
constexpr float kTimeOffset = 0.503633976f;

// Adds every part of the demo to `demo`, in order of start time.
void BuildTimeline(CDemo& demo);
