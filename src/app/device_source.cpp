#include "app/device_source.h"

namespace {

class LibrarySource final : public DeviceSource {
 public:
  DWORD DeviceCount() const override { return D3DXGetDeviceCount(); }
  HRESULT Description(DWORD deviceIndex, D3DX_DEVICEDESC* description) const override {
    return D3DXGetDeviceDescription(deviceIndex, description);
  }
  HRESULT Caps(DWORD deviceIndex, D3DDEVICEDESC7* deviceDesc, DDCAPS* halCaps) const override {
    return D3DXGetDeviceCaps(deviceIndex, deviceDesc, halCaps);
  }
  DWORD ModeCount(DWORD deviceIndex) const override {
    return D3DXGetVideoModeCount(deviceIndex, 0);
  }
  HRESULT Mode(DWORD deviceIndex, DWORD modeIndex, D3DX_VIDMODEDESC* mode) const override {
    return D3DXGetVideoMode(deviceIndex, 0, modeIndex, mode);
  }
};

}  // namespace

const DeviceSource& LibraryDeviceSource() {
  static const LibrarySource source;
  return source;
}
