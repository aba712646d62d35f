#pragma once
// A fresh working directory holding the archive the build generated, where the real
// lantern-capture runs.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/temp_dir.h"

class CaptureRunTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_symlink(BUILT_ARCHIVE, directory_.File("lantern.dat"));
  }
  ChildResult Capture(const std::vector<std::string>& arguments) const {
    return RunChild(CAPTURE_BINARY, arguments, directory_.Path());
  }

  TempDir directory_;
};
