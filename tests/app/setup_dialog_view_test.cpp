// The start-up dialog's view, driven frame by frame without a window, and looked at.
#include "app/setup_dialog_view.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "fake_device_source.h"
#include "png_file.h"
#include "support/setup_dialog_driver.h"

namespace {

// The centre of a control given in dialog units (x, y, width, height).
ImVec2 CentreOf(float x, float y, float width, float height) {
  return DialogUnitsToPixels(x + width / 2, y + height / 2);
}

const ImVec2 kOk = CentreOf(69, 184, 50, 14);
const ImVec2 kCancel = CentreOf(129, 184, 50, 14);
const ImVec2 kModeList = CentreOf(127, 36, 105, 12);
const ImVec2 kWindowed = CentreOf(117, 55, 50, 10);
const ImVec2 kAlwaysOnTop = CentreOf(127, 71, 60, 10);
const ImVec2 kLog = CentreOf(211, 186, 33, 12);

const FakeDevice kWindowedCard{"Card", {{640, 480, 32}}};
const FakeDevice kFullScreenCard{"Card", {{640, 480, 32}}, D3DDeviceKind::Hal, kFullScreenOnly};

class SetupDialogViewTest : public testing::Test {
 protected:
  SetupDialogDriver driver_;
};

TEST_F(SetupDialogViewTest, EnterAcceptsAndEscapeCancels) {
  FakeDeviceSource source({kWindowedCard});
  SetupDialogModel model(source, false);
  EXPECT_EQ(driver_.Frame(model), SetupDialogAction::kNone);
  EXPECT_EQ(driver_.PressKey(model, ImGuiKey_Enter), SetupDialogAction::kOk);
  EXPECT_EQ(driver_.PressKey(model, ImGuiKey_KeyPadEnter), SetupDialogAction::kOk);
  EXPECT_EQ(driver_.PressKey(model, ImGuiKey_Escape), SetupDialogAction::kCancel);
  EXPECT_EQ(driver_.Click(model, kOk), SetupDialogAction::kOk);
  EXPECT_EQ(driver_.Click(model, kCancel), SetupDialogAction::kCancel);
}

TEST_F(SetupDialogViewTest, OkIsRefusedWithNothingToRunOn) {
  FakeDeviceSource source({});
  SetupDialogModel model(source, false);
  EXPECT_EQ(driver_.Click(model, kOk), SetupDialogAction::kNone);
  EXPECT_EQ(driver_.PressKey(model, ImGuiKey_Enter), SetupDialogAction::kNone);
  EXPECT_EQ(driver_.PressKey(model, ImGuiKey_Escape), SetupDialogAction::kCancel);
}

TEST_F(SetupDialogViewTest, EscapeClosesAnOpenListBeforeTheDialog) {
  FakeDeviceSource source({kWindowedCard});
  SetupDialogModel model(source, false);
  driver_.Click(model, kModeList);
  ASSERT_TRUE(driver_.state().popupWasOpen);
  EXPECT_EQ(driver_.PressKey(model, ImGuiKey_Escape), SetupDialogAction::kNone);
  EXPECT_EQ(driver_.PressKey(model, ImGuiKey_Escape), SetupDialogAction::kCancel);
}

TEST_F(SetupDialogViewTest, WindowedControlsTakeInputOnlyWhenTheDeviceRendersWindowed) {
  FakeDeviceSource fullScreenOnly({kFullScreenCard});
  SetupDialogModel disabled(fullScreenOnly, false);
  driver_.Click(disabled, kWindowed);
  driver_.Click(disabled, kAlwaysOnTop);
  EXPECT_TRUE(disabled.options.fullscreen);
  EXPECT_FALSE(disabled.options.alwaysOnTop);

  FakeDeviceSource windowed({kWindowedCard});
  SetupDialogModel enabled(windowed, false);
  driver_.Click(enabled, kWindowed);
  driver_.Click(enabled, kAlwaysOnTop);
  EXPECT_FALSE(enabled.options.fullscreen);
  EXPECT_TRUE(enabled.options.alwaysOnTop);
}

TEST_F(SetupDialogViewTest, TheLogBoxIsThereOnlyWhenAskedFor) {
  FakeDeviceSource source({kWindowedCard});
  SetupDialogModel hidden(source, false);
  driver_.Click(hidden, kLog);
  EXPECT_FALSE(hidden.options.log);
  SetupDialogModel shown(source, true);
  driver_.Click(shown, kLog);
  EXPECT_TRUE(shown.options.log);
}

TEST(SetupDialogPictureTest, TheLanternGlowsInThePicture) {
  FakeDeviceSource source({kWindowedCard});
  SetupDialogModel model(source, true);
  const std::vector<uint32_t> picture = RenderSetupDialogPicture(model);
  ASSERT_EQ(picture.size(), size_t{kSetupDialogWidth} * kSetupDialogHeight);
  // A reviewer can ask for the picture: LANTERN_DIALOG_PICTURE=<file.png>.
  if (const char* path = std::getenv("LANTERN_DIALOG_PICTURE")) {
    EXPECT_TRUE(WritePngFile(path, picture, kSetupDialogWidth, kSetupDialogHeight));
  }
  // The flame's core, in the lower half of the lantern in the picture's middle.
  const uint32_t flame = picture[117 * kSetupDialogWidth + 88];
  EXPECT_GT((flame >> 16) & 0xFF, 200u) << std::hex << flame;
  EXPECT_GT((flame >> 8) & 0xFF, 180u) << std::hex << flame;
}

}  // namespace
