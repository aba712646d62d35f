#pragma once
// A real demo runtime for tests: SDL on its offscreen driver, a windowed demo window, a
// working directory holding a small "lantern.dat", the log in that directory, and a clock
// the test moves by hand.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "base/clock.h"
#include "app/demo_window.h"
#include "demo/demo.h"
#include "support/compound_file.h"
#include "support/probe_part.h"
#include "support/temp_dir.h"

class DemoFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes `archive` as lantern.dat in the working directory.
  void WriteArchive(const CompoundFileBuilder& archive);
  // Builds the demo (windowed, 640 x 480) with `script` as its timeline.
  void BuildDemo(const TimelineScript& script, bool mute = true);
  // Moves the clock to `seconds` of demo time and draws one frame.
  bool DrawFrameAt(double seconds);
  // Shuts the demo down and returns the whole log.
  std::string FinishAndReadLog();

  TempDir directory_;
  std::string previousDirectory_;
  ManualClock clock_;
  std::unique_ptr<CDemoWindow> window_;
  std::unique_ptr<CDemo> demo_;
  PartJournal journal_;
};
