#include "demo/timeline.h"

#include "base/log.h"
#include "demo/part.h"

Timeline::Timeline() = default;

Timeline::~Timeline() { Clear(); }

CPart& Timeline::Add(std::unique_ptr<CPart> part, const std::string& name, float start,
                     float end) {
  CPart& added = *part;
  added.name = name;
  parts_.push_back(std::move(part));
  schedule_.push_back(TimelineEntry{true, name, start, end, &added});
  pending_.push_back(schedule_.back());
  return added;
}

void Timeline::StartDue(float t) {
  while (!pending_.empty() && t > pending_.front().start) {
    active_.push_back(pending_.front());
    pending_.pop_front();
    active_.back().part->Start();
  }
}

void Timeline::DrawActive(float t) {
  for (auto entry = active_.begin(); entry != active_.end();) {
    if (t > entry->end) {
      entry->part->Stop();
      entry = active_.erase(entry);
      continue;
    }
    try {
      entry->part->Render((t - entry->start) / (entry->end - entry->start));
    } catch (...) {
      if (entry->report) {
        g_log << "*** Unhandled Exception in " << entry->name << " ***\n";
        entry->report = false;
      }
    }
    ++entry;
  }
}

void Timeline::ResizeParts() {
  for (const std::unique_ptr<CPart>& part : parts_) part->Resize();
}

void Timeline::EndActivePartsAt(float now) {
  for (TimelineEntry& entry : active_) entry.part->endTime = now;
}

void Timeline::Rewind() {
  active_.clear();
  pending_.assign(schedule_.begin(), schedule_.end());
  for (const std::unique_ptr<CPart>& part : parts_) part->Rewind();
}

std::vector<PartWindow> Timeline::windows() const {
  std::vector<PartWindow> windows;
  for (const TimelineEntry& entry : schedule_) windows.push_back({entry.start, entry.end});
  return windows;
}

void Timeline::Clear() {
  schedule_.clear();
  pending_.clear();
  active_.clear();
  // In the order added, as the parts were built: a part's destructor logs its frame rate.
  for (std::unique_ptr<CPart>& part : parts_) part.reset();
  parts_.clear();
}
