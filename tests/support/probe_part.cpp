#include "support/probe_part.h"

#include <stdexcept>

#include "demo/demo.h"
#include "base/demo_error.h"

ProbePart::ProbePart(CDemo* owner, PartJournal& journal, std::string label, Fault fault)
    : CPart(owner), journal_(journal), label_(std::move(label)), fault_(fault) {}

ProbePart::~ProbePart() { Release(); }

void ProbePart::Start() {
  CPart::Start();
  journal_.calls.push_back(label_ + " Start");
}

void ProbePart::Stop() {
  CPart::Stop();
  journal_.calls.push_back(label_ + " Stop");
}

void ProbePart::Init() {
  journal_.calls.push_back(label_ + " Init");
  if (fault_ == Fault::kThrowInInit) throw demoError(label_ + " could not load");
}

void ProbePart::Resize() { journal_.calls.push_back(label_ + " Resize"); }

void ProbePart::Render(float progress) {
  CPart::Render(progress);
  journal_.calls.push_back(label_ + " Render");
  journal_.renders.emplace_back(label_, progress);
  D3DVIEWPORT7 viewport{};
  demo->device()->GetViewport(&viewport);
  journal_.viewports.push_back(viewport);
  if (fault_ == Fault::kThrowInRender) throw std::runtime_error("render failed");
  if (fault_ == Fault::kThrowNonStandardInRender) throw 42;
}

void ProbePart::Release() { journal_.calls.push_back(label_ + " Release"); }
