#include "capture_range.h"

#include <algorithm>
#include <cstdio>
#include <string>

double RangeEnd(const CaptureOptions& options, const CaptureSession& session) {
  const double timelineEnd = session.TimelineEnd();
  if (options.from >= timelineEnd) {
    char reason[128];
    std::snprintf(reason, sizeof reason,
                  "--from %.3f lies after the end of the timeline at %.3f s", options.from,
                  timelineEnd);
    throw std::runtime_error(reason);
  }
  return std::min(options.to.value_or(timelineEnd), timelineEnd);
}
