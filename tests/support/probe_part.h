#pragma once
// A timeline part for tests: it writes every call it receives into a journal the test owns
// (which outlives the demo that deletes the part), and can be told to fail.
#include <string>
#include <vector>

#include "demo/part.h"
#include "render/d3d/d3d_types.h"

struct PartJournal {
  std::vector<std::string> calls;  // "label Call", in the order they came
  std::vector<std::pair<std::string, float>> renders;  // label and progress of each Render
  std::vector<D3DVIEWPORT7> viewports;                 // the device viewport at each Render
};

class ProbePart : public CPart {
 public:
  enum class Fault { kNone, kThrowInInit, kThrowInRender, kThrowNonStandardInRender };

  ProbePart(CDemo* owner, PartJournal& journal, std::string label, Fault fault = Fault::kNone);
  ~ProbePart() override;

  void Start() override;
  void Stop() override;
  void Init() override;
  void Resize() override;
  void Render(float progress) override;
  void Release() override;

 private:
  PartJournal& journal_;
  std::string label_;
  Fault fault_;
};
