#pragma once
// The demo's script: every part of the demo with its name and time window, in order.
class CDemo;

// Adds every part of the demo to `demo`, in order of start time. Each window is given as
// scripted; the timeline adds kTimeOffset (demo/timeline.h).
void BuildTimeline(CDemo& demo);
