#include "app/setup_dialog_model.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/card_rating.h"

namespace {

// A sorted list orders its texts without regard to case.
bool ListsBefore(const DeviceItem& a, const DeviceItem& b) {
  return std::lexicographical_compare(a.text.begin(), a.text.end(), b.text.begin(), b.text.end(),
                                      [](char x, char y) {
                                        return std::tolower(static_cast<unsigned char>(x)) <
                                               std::tolower(static_cast<unsigned char>(y));
                                      });
}

std::vector<DeviceItem> ListDevices(const DeviceSource& source) {
  std::vector<DeviceItem> devices;
  const DWORD count = source.DeviceCount();
  for (DWORD index = 0; index < count; ++index) {
    D3DX_DEVICEDESC description;
    if (FAILED(source.Description(index, &description))) continue;
    if (description.d3dDeviceKind == D3DDeviceKind::TnLHal) continue;
    devices.push_back({description.driverDesc, index});
  }
  std::stable_sort(devices.begin(), devices.end(), ListsBefore);
  return devices;
}

std::string ModeText(const D3DX_VIDMODEDESC& mode) {
  char text[48];
  std::snprintf(text, sizeof text, "%ux%ux%u", mode.width, mode.height, mode.bpp);
  return text;
}

}  // namespace

SetupDialogModel::SetupDialogModel(const DeviceSource& source, bool showLog)
    : source_(source), showLog_(showLog), devices_(ListDevices(source)) {
  SelectDevice(0);
}

void SetupDialogModel::SelectDevice(size_t position) {
  if (position >= devices_.size()) return;
  selectedDevice_ = position;
  RateSelectedDevice();
  FillModes();
}

void SetupDialogModel::SelectMode(size_t position) {
  if (position < modes_.size()) selectedMode_ = position;
}

void SetupDialogModel::RateSelectedDevice() {
  // What the source cannot tell stays zero, and scores nothing.
  D3DDEVICEDESC7 device{};
  DDCAPS halCaps{};
  source_.Caps(devices_[*selectedDevice_].deviceIndex, &device, &halCaps);
  const CardRating rating = RateCard(device, halCaps);
  score_ = rating.score;
  ratingText_ = RatingText(rating.score);
  windowedControlsEnabled_ = rating.canRenderWindowed;
}

void SetupDialogModel::FillModes() {
  // Palettised modes are never offered. The demo's own mode is preselected when the device
  // has it (the last one listed, should there be several), else the first.
  constexpr DWORD kPalettisedBits = 8;
  const DWORD deviceIndex = devices_[*selectedDevice_].deviceIndex;
  modes_.clear();
  selectedMode_.reset();
  std::optional<size_t> demoMode;
  const DWORD count = source_.ModeCount(deviceIndex);
  for (DWORD index = 0; index < count; ++index) {
    D3DX_VIDMODEDESC mode;
    if (FAILED(source_.Mode(deviceIndex, index, &mode)) || mode.bpp <= kPalettisedBits) continue;
    if (mode.width == 640 && mode.height == 480 && mode.bpp == 32) demoMode = modes_.size();
    modes_.push_back({ModeText(mode), mode.width, mode.height, mode.bpp});
  }
  if (demoMode.has_value()) {
    selectedMode_ = demoMode;
  } else if (!modes_.empty()) {
    selectedMode_ = 0;
  }
}

std::optional<DemoSettings> SetupDialogModel::Accept() const {
  if (!CanAccept()) return std::nullopt;
  const ModeItem& mode = modes_[*selectedMode_];
  const DeviceItem& device = devices_[*selectedDevice_];
  DemoSettings settings;
  settings.width = mode.width;
  settings.height = mode.height;
  settings.bitsPerPixel = mode.bitsPerPixel;
  settings.deviceIndex = device.deviceIndex;
  settings.deviceName = device.text;
  settings.fullscreen = options.fullscreen;
  settings.runAlways = !options.runOnlyWhenActive;
  settings.onTop = options.alwaysOnTop;
  settings.log = options.log;
  settings.mute = options.muteMusic;
  settings.showLog = showLog_;
  return settings;
}
