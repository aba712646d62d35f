#include "app/setup_dialog_model.h"

#include <gtest/gtest.h>

#include "app/card_rating.h"
#include "fake_device_source.h"

namespace {

std::vector<std::string> Texts(const auto& items) {
  std::vector<std::string> texts;
  for (const auto& item : items) texts.push_back(item.text);
  return texts;
}

std::string SelectedModeText(const SetupDialogModel& model) {
  return model.selectedMode().has_value() ? model.modes()[*model.selectedMode()].text : "none";
}

const std::vector<D3DX_VIDMODEDESC> kModesWithTheDemoMode = {
    {1024, 768, 32, 60}, {640, 480, 32, 75}, {640, 480, 8, 60},
    {800, 600, 16, 60},  {640, 480, 32, 60}, {320, 200, 4, 70}};

TEST(SetupDialogModelTest, DevicesAreSortedByTextAndKeepTheirIndex) {
  FakeDeviceSource source({{"software rasteriser"}, {"Radeon"}, {"Apex 3D"}});
  SetupDialogModel model(source, false);
  EXPECT_EQ(Texts(model.devices()),
            (std::vector<std::string>{"Apex 3D", "Radeon", "software rasteriser"}));
  EXPECT_EQ(model.devices()[0].deviceIndex, 2u);
  EXPECT_EQ(model.devices()[2].deviceIndex, 0u);
  EXPECT_EQ(model.selectedDevice(), 0u);
}

TEST(SetupDialogModelTest, TransformAndLightingDevicesAreLeftOut) {
  FakeDeviceSource source({{"Card", {}, D3DDeviceKind::TnLHal},
                           {"Card", {}, D3DDeviceKind::Hal},
                           {"Software", {}, D3DDeviceKind::Software}});
  SetupDialogModel model(source, false);
  ASSERT_EQ(model.devices().size(), 2u);
  EXPECT_EQ(model.devices()[0].deviceIndex, 1u);
  EXPECT_EQ(model.devices()[1].deviceIndex, 2u);
}

TEST(SetupDialogModelTest, TheFirstDeviceIsRatedAtTheStart) {
  FakeDevice card{"Card"};
  card.caps = HardwareCaps();
  card.caps.dwDevCaps |= D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  FakeDeviceSource source({card});
  SetupDialogModel model(source, false);
  EXPECT_EQ(model.score(), 15 + 8 + 8);
  EXPECT_EQ(model.ratingText(), "Rating: 31 / 77 - Decent");
  EXPECT_TRUE(model.windowedControlsEnabled());
}

TEST(SetupDialogModelTest, ModesKeepTheirOrderWithoutPalettes) {
  FakeDeviceSource source({{"Card", kModesWithTheDemoMode}});
  SetupDialogModel model(source, false);
  EXPECT_EQ(Texts(model.modes()),
            (std::vector<std::string>{"1024x768x32", "640x480x32", "800x600x16", "640x480x32"}));
  // The last of the demo's modes is preselected.
  EXPECT_EQ(model.selectedMode(), 3u);
}

TEST(SetupDialogModelTest, WithoutTheDemoModeTheFirstIsPreselected) {
  FakeDeviceSource source({{"Card", {{320, 240, 8}, {800, 600, 16}, {640, 480, 16}}}});
  SetupDialogModel model(source, false);
  EXPECT_EQ(SelectedModeText(model), "800x600x16");
}

TEST(SetupDialogModelTest, ChangingTheDeviceRefillsTheModesAndTheirSelection) {
  FakeDevice first{"A", kModesWithTheDemoMode};
  FakeDevice second{"B", {{1280, 1024, 32}, {800, 600, 32}}};
  FakeDeviceSource source({first, second});
  SetupDialogModel model(source, false);
  model.SelectMode(0);
  model.SelectDevice(1);
  EXPECT_EQ(Texts(model.modes()), (std::vector<std::string>{"1280x1024x32", "800x600x32"}));
  EXPECT_EQ(model.selectedMode(), 0u);
  model.SelectMode(1);
  model.SelectDevice(0);
  EXPECT_EQ(SelectedModeText(model), "640x480x32");
  EXPECT_EQ(model.selectedMode(), 3u);
}

TEST(SetupDialogModelTest, SelectionsPastTheListsAreIgnored) {
  FakeDeviceSource source({{"Card", kModesWithTheDemoMode}});
  SetupDialogModel model(source, false);
  model.SelectDevice(1);
  model.SelectMode(4);
  EXPECT_EQ(model.selectedDevice(), 0u);
  EXPECT_EQ(model.selectedMode(), 3u);
}

TEST(SetupDialogModelTest, ADeviceThatCannotRenderWindowedDisablesTheWindowedControls) {
  FakeDevice windowed{"A Windowed"};
  FakeDevice fullScreen{"B Full screen", {}, D3DDeviceKind::Hal, kFullScreenOnly};
  FakeDeviceSource source({windowed, fullScreen});
  SetupDialogModel model(source, false);
  EXPECT_TRUE(model.windowedControlsEnabled());
  model.options.alwaysOnTop = true;

  model.SelectDevice(1);
  EXPECT_FALSE(model.windowedControlsEnabled());
  EXPECT_EQ(model.score(), 15);
  // What the disabled controls hold stays.
  EXPECT_TRUE(model.options.fullscreen);
  EXPECT_TRUE(model.options.alwaysOnTop);
}

TEST(SetupDialogModelTest, StartsFromTheDefaults) {
  FakeDeviceSource source({{"Card", kModesWithTheDemoMode}});
  const SetupDialogModel model(source, false);
  EXPECT_TRUE(model.options.fullscreen);
  EXPECT_FALSE(model.options.alwaysOnTop);
  EXPECT_FALSE(model.options.runOnlyWhenActive);
  EXPECT_FALSE(model.options.log);
  EXPECT_FALSE(model.options.muteMusic);
  EXPECT_FALSE(model.logVisible());
  EXPECT_TRUE(SetupDialogModel(source, true).logVisible());
}

TEST(SetupDialogModelTest, OkHandsOverTheChoices) {
  const FakeDevice card{"", kModesWithTheDemoMode};
  std::vector<FakeDevice> devices(3, card);
  devices[0].description = "Mid";
  devices[1].description = "Zeta";
  devices[2].description = "Alpha";
  FakeDeviceSource source(devices);
  SetupDialogModel model(source, true);
  model.SelectDevice(2);
  model.SelectMode(2);
  model.options = {false, true, true, true, true};

  const std::optional<DemoSettings> settings = model.Accept();
  ASSERT_TRUE(settings.has_value());
  EXPECT_EQ(settings->width, 800u);
  EXPECT_EQ(settings->height, 600u);
  EXPECT_EQ(settings->bitsPerPixel, 16u);
  EXPECT_EQ(settings->deviceIndex, 1u);
  EXPECT_EQ(settings->deviceName, "Zeta");
  EXPECT_FALSE(settings->fullscreen);
  EXPECT_TRUE(settings->onTop);
  EXPECT_FALSE(settings->runAlways);
  EXPECT_TRUE(settings->log);
  EXPECT_TRUE(settings->mute);
  EXPECT_TRUE(settings->showLog);

  model.options = {};
  const DemoSettings defaults = *model.Accept();
  EXPECT_TRUE(defaults.fullscreen);
  EXPECT_TRUE(defaults.runAlways);
  EXPECT_FALSE(defaults.onTop || defaults.log || defaults.mute);
}

TEST(SetupDialogModelTest, OkIsRefusedWithoutADeviceOrAMode) {
  FakeDeviceSource noDevices({});
  SetupDialogModel empty(noDevices, false);
  EXPECT_FALSE(empty.selectedDevice().has_value());
  EXPECT_EQ(empty.ratingText(), "Rating: ");
  EXPECT_FALSE(empty.CanAccept());
  EXPECT_FALSE(empty.Accept().has_value());

  FakeDeviceSource onlyPalettes({{"Card", {{640, 480, 8}}}});
  SetupDialogModel paletted(onlyPalettes, false);
  EXPECT_TRUE(paletted.modes().empty());
  EXPECT_FALSE(paletted.Accept().has_value());
}

// The machine's own enumeration: the software rasteriser is there on any machine.
TEST(SetupDialogModelTest, TheSoftwareRasteriserIsTotalCrap) {
  const DeviceSource& library = LibraryDeviceSource();
  SetupDialogModel model(library, false);
  for (size_t position = 0; position < model.devices().size(); ++position) {
    D3DX_DEVICEDESC description;
    ASSERT_EQ(library.Description(model.devices()[position].deviceIndex, &description), S_OK);
    if (description.d3dDeviceKind != D3DDeviceKind::Software) continue;
    model.SelectDevice(position);
    EXPECT_EQ(model.ratingText(), RatingText(model.score()));
    EXPECT_STREQ(RatingVerdict(model.score()), "Total Crap");
    EXPECT_TRUE(model.CanAccept());
    return;
  }
  FAIL() << "no software rasteriser listed";
}

}  // namespace
