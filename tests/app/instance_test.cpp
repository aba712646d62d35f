// One copy of the demo at a time, and the program's fatal start-up errors, run for real.
#include "app/instance_lock.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace {

// Points the lock at a directory of the test's own, so that tests running side by side,
// or a demo the developer is watching, do not meet.
class InstanceTest : public testing::Test {
 protected:
  void SetUp() override { setenv("XDG_RUNTIME_DIR", runtime_.Path().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }

  TempDir runtime_;
  TempDir workingDirectory_;
};

TEST_F(InstanceTest, TheLockIsHeldByOneOwnerAtATime) {
  EXPECT_EQ(InstanceLock::LockFilePath(), runtime_.File("lantern.lock"));
  std::unique_ptr<InstanceLock> first = InstanceLock::Acquire();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(InstanceLock::Acquire(), nullptr);
  first.reset();
  EXPECT_NE(InstanceLock::Acquire(), nullptr);
}

TEST_F(InstanceTest, ASecondCopyExitsAtOnceWithoutAWord) {
  const std::unique_ptr<InstanceLock> running = InstanceLock::Acquire();
  ASSERT_NE(running, nullptr);
  // Without the guard this copy would fail on the missing archive with status 255.
  const ChildResult second = RunChild(LANTERN_BINARY, {}, workingDirectory_.Path());
  EXPECT_EQ(second.exitStatus, 0);
  EXPECT_EQ(second.standardError, "");
}

TEST_F(InstanceTest, AMissingArchiveIsAFatalError) {
  const ChildResult run = RunChild(LANTERN_BINARY, {}, workingDirectory_.Path());
  EXPECT_EQ(run.exitStatus, 255);
  EXPECT_NE(run.standardError.find("lantern: Cannot open lantern.dat\n"), std::string::npos)
      << run.standardError;
}

}  // namespace
