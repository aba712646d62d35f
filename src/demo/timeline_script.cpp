#include "demo/timeline_script.h"

#include "demo/demo.h"

// The rows of the script, in start order. Each row constructs one part and hands it to
// AddPart with its name and its scripted window (without kTimeOffset, which AddPart adds).
// A row is written here when its part class exists; until then the demo plays the rows
// that do.
void BuildTimeline(CDemo& /*demo*/) {}
