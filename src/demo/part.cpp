#include "demo/part.h"

#include "base/log.h"
#include "demo/demo.h"

CPart::CPart(CDemo* owner) : demo(owner) {}

CPart::~CPart() {
  // Members of composite parts count frames but are never started or stopped; they have no
  // window to measure a rate over, so they log nothing.
  if (frames == 0 || !(endTime > startTime)) return;
  const float rate = static_cast<float>(frames) / (endTime - startTime);
  g_log << name << ": " << rate << " fps\n";
}

void CPart::Start() { startTime = demo->CurrentTime(); }

void CPart::Stop() { endTime = demo->CurrentTime(); }

void CPart::Resize() {}

void CPart::Rewind() {}

void CPart::Render(float) { ++frames; }
