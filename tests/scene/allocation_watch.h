#pragma once
// The size of the largest single allocation made by this test program since the last
// reset, so that a test can show that a reader refuses a lying count before it reserves
// memory for it. Every allocation is seen: through the sanitizer's allocator hooks in an
// AddressSanitizer build (whose allocator must own operator new), else through a
// replacement of the global operator new.
#include <cstddef>

void ResetLargestAllocation();
size_t LargestAllocation();
