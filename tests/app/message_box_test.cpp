#include "app/message_box.h"

#include <gtest/gtest.h>

namespace {

// With no display to ask on, the question goes to standard error and the run goes on.
TEST(MessageBoxTest, AHeadlessQuestionIsAnsweredYes) {
  testing::internal::CaptureStderr();
  EXPECT_TRUE(AskYesNo("Warning", "Sure?\nReally?"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: Sure?\nReally?\n");
}

}  // namespace
