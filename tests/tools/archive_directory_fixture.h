#pragma once
// Runs a test in a fresh working directory that holds the archive the build generated, as
// a capture session in the process expects.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

class ArchiveDirectoryTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::create_symlink(BUILT_ARCHIVE, directory_.File("lantern.dat"));
    std::filesystem::current_path(directory_.Path());
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  TempDir directory_;
  std::filesystem::path previous_;
};
