#pragma once
// What the start-up dialog shows and what its controls hold, kept apart from any window:
// the device list and the selected device's rating, that device's display modes, the
// options, and the settings that OK hands to the entry point.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/demo_settings.h"
#include "app/device_source.h"

struct DeviceItem {
  std::string text;  // the driver description
  DWORD deviceIndex;
};

struct ModeItem {
  std::string text;  // "<width>x<height>x<bits per pixel>"
  DWORD width;
  DWORD height;
  DWORD bitsPerPixel;
};

// The radio pair and the check boxes, edited by the view directly.
struct SetupOptions {
  bool fullscreen = true;  // "Full Screen" selected, else "Windowed"
  bool alwaysOnTop = false;
  bool runOnlyWhenActive = false;
  bool log = false;
  bool muteMusic = false;
};

class SetupDialogModel {
 public:
  // Lists the source's devices sorted by their text, leaving out TnLHal devices, selects
  // the first and rates it. The "Log" box is visible only with `showLog`.
  SetupDialogModel(const DeviceSource& source, bool showLog);

  const std::vector<DeviceItem>& devices() const { return devices_; }
  std::optional<size_t> selectedDevice() const { return selectedDevice_; }
  // Selects the device at `position` in devices(), rates it and refills the mode list with
  // its modes. A position past the list is ignored.
  void SelectDevice(size_t position);

  const std::vector<ModeItem>& modes() const { return modes_; }
  std::optional<size_t> selectedMode() const { return selectedMode_; }
  // A position past the list is ignored.
  void SelectMode(size_t position);

  // The selected device's rating: 0 .. kBestRating, and "Rating: " before any device.
  int score() const { return score_; }
  const std::string& ratingText() const { return ratingText_; }
  // "Windowed", "Always on top" and "Run only when active" take input; when they do not,
  // what they hold stays as it was.
  bool windowedControlsEnabled() const { return windowedControlsEnabled_; }
  bool logVisible() const { return showLog_; }

  SetupOptions options;

  // OK is refused while no device or no mode is selected.
  bool CanAccept() const { return selectedDevice_.has_value() && selectedMode_.has_value(); }
  std::optional<DemoSettings> Accept() const;

 private:
  void RateSelectedDevice();
  void FillModes();

  const DeviceSource& source_;
  const bool showLog_;
  std::vector<DeviceItem> devices_;
  std::optional<size_t> selectedDevice_;
  std::vector<ModeItem> modes_;
  std::optional<size_t> selectedMode_;
  int score_ = 0;
  std::string ratingText_ = "Rating: ";
  bool windowedControlsEnabled_ = true;
};
