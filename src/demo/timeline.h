#pragma once
// The timeline of parts: every part with its window of demo time, the pending parts (added,
// not yet started) and the active ones (started, drawn every frame until their window has
// passed). Parts are added in order of start time, so a frame looks only at the head of
// the pending list. The timeline owns its parts; the demo owns the timeline.
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "demo/frame_grid.h"

class CPart;

// Added to every scripted start and end, so the first part begins this long after the
// music starts.
constexpr float kTimeOffset = 0.503633976f;

// One scheduled part: its window in demo time (offset included) and whether an exception
// from its Render is still to be reported.
struct TimelineEntry {
  bool report;
  std::string name;
  float start;
  float end;
  CPart* part;
};

class Timeline {
 public:
  Timeline();
  ~Timeline();

  Timeline(const Timeline&) = delete;
  Timeline& operator=(const Timeline&) = delete;

  // Takes `part`, names it and schedules it for [start, end] in demo time.
  CPart& Add(std::unique_ptr<CPart> part, const std::string& name, float start, float end);

  // Starts every pending part whose window has opened by demo time `t`, in order.
  void StartDue(float t);
  // Goes through the active parts in order: one whose window has passed by `t` is stopped
  // and retired, every other one renders with its progress through its window. An
  // exception from a part's Render is logged, once per part, and the frame goes on.
  void DrawActive(float t);
  // No part is pending or active any more: the show is over.
  bool Finished() const { return pending_.empty() && active_.empty(); }

  // The render target has a new size: every part hears of it.
  void ResizeParts();
  // The demo ends with parts still on screen: their frame rates run to `now`.
  void EndActivePartsAt(float now);
  // Deletes every part, in the order they were added, and empties the lists.
  void Clear();
  // Back to the schedule as added: every part pending again and rewound to the state Init
  // left. Parts on screen are not stopped; an exception may be reported once more.
  void Rewind();

  // Every part, in the order added.
  const std::vector<std::unique_ptr<CPart>>& parts() const { return parts_; }
  const std::list<TimelineEntry>& pending() const { return pending_; }
  const std::list<TimelineEntry>& active() const { return active_; }
  // Every part as added, whatever has been started since.
  const std::vector<TimelineEntry>& schedule() const { return schedule_; }
  // Every part's window, in the order added.
  std::vector<PartWindow> windows() const;

 private:
  std::vector<std::unique_ptr<CPart>> parts_;
  std::vector<TimelineEntry> schedule_;
  std::list<TimelineEntry> pending_;
  std::list<TimelineEntry> active_;
};
