#pragma once
// A made-up machine for the start-up dialog's tests: devices with chosen capabilities and
// display modes.
#include <string>
#include <utility>
#include <vector>

#include "app/device_source.h"
#include "render/d3d/d3d_caps.h"

// A device that rasterises in hardware and reports nothing else: 15 points, 23 when it
// can render windowed.
inline D3DDEVICEDESC7 HardwareCaps() {
  D3DDEVICEDESC7 caps{};
  caps.dwDevCaps = D3DDEVCAPS_HWRASTERIZATION;
  return caps;
}

constexpr DDCAPS kRendersWindowed{0, DDCAPS2_CANRENDERWINDOWED};
constexpr DDCAPS kFullScreenOnly{0, 0};

struct FakeDevice {
  FakeDevice(std::string text, std::vector<D3DX_VIDMODEDESC> videoModes = {},
             D3DDeviceKind deviceKind = D3DDeviceKind::Hal,
             DDCAPS directDrawCaps = kRendersWindowed)
      : description(std::move(text)),
        kind(deviceKind),
        halCaps(directDrawCaps),
        modes(std::move(videoModes)) {}

  std::string description;
  D3DDeviceKind kind;
  D3DDEVICEDESC7 caps = HardwareCaps();
  DDCAPS halCaps;
  std::vector<D3DX_VIDMODEDESC> modes;
};

class FakeDeviceSource final : public DeviceSource {
 public:
  explicit FakeDeviceSource(std::vector<FakeDevice> devices) : devices_(std::move(devices)) {}

  DWORD DeviceCount() const override { return static_cast<DWORD>(devices_.size()); }
  HRESULT Description(DWORD deviceIndex, D3DX_DEVICEDESC* description) const override {
    if (deviceIndex >= devices_.size()) return D3DXERR_INVALIDPARAMETER;
    *description = {deviceIndex, devices_[deviceIndex].kind, devices_[deviceIndex].description};
    return S_OK;
  }
  HRESULT Caps(DWORD deviceIndex, D3DDEVICEDESC7* deviceDesc, DDCAPS* halCaps) const override {
    if (deviceIndex >= devices_.size()) return D3DXERR_INVALIDPARAMETER;
    *deviceDesc = devices_[deviceIndex].caps;
    *halCaps = devices_[deviceIndex].halCaps;
    return S_OK;
  }
  DWORD ModeCount(DWORD deviceIndex) const override {
    return deviceIndex < devices_.size() ? static_cast<DWORD>(devices_[deviceIndex].modes.size())
                                         : 0;
  }
  HRESULT Mode(DWORD deviceIndex, DWORD modeIndex, D3DX_VIDMODEDESC* mode) const override {
    if (modeIndex >= ModeCount(deviceIndex)) return D3DXERR_INVALIDPARAMETER;
    *mode = devices_[deviceIndex].modes[modeIndex];
    return S_OK;
  }

 private:
  std::vector<FakeDevice> devices_;
};
