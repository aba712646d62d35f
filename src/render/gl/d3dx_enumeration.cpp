#include "render/d3dx/d3dx_enumeration.h"

#include <optional>
#include <vector>

#include "render/gl/d3dx_enumeration_lists.h"
#include "render/gl/device_caps.h"

namespace {

constexpr int kPrimaryDisplay = 0;

struct Enumeration {
  std::vector<EnumeratedDevice> devices;
  std::vector<D3DX_VIDMODEDESC> modes;  // the display's, offered by every device alike
};

std::vector<D3DX_VIDMODEDESC> ReadDisplayModes() {
  std::vector<SDL_DisplayMode> listed;
  const int count = SDL_GetNumDisplayModes(kPrimaryDisplay);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(kPrimaryDisplay, i, &mode) == 0) listed.push_back(mode);
  }
  std::optional<SDL_DisplayMode> desktop;
  if (SDL_DisplayMode mode; SDL_GetDesktopDisplayMode(kPrimaryDisplay, &mode) == 0) desktop = mode;
  return VideoModesFrom(listed, desktop);
}

Enumeration Enumerate() {
  Enumeration found;
  found.devices = DevicesFrom(ProbeOpenGlRenderer());
  // The probe has let go of the video subsystem; hold it while the modes are read.
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
    found.modes = ReadDisplayModes();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  return found;
}

const Enumeration& TheEnumeration() {
  static const Enumeration enumeration = Enumerate();
  return enumeration;
}

bool IsDevice(DWORD deviceIndex) { return deviceIndex < TheEnumeration().devices.size(); }

}  // namespace

DWORD D3DXGetDeviceCount() { return static_cast<DWORD>(TheEnumeration().devices.size()); }

HRESULT D3DXGetDeviceDescription(DWORD deviceIndex, D3DX_DEVICEDESC* description) {
  if (description == nullptr || !IsDevice(deviceIndex)) return D3DXERR_INVALIDPARAMETER;
  const EnumeratedDevice& device = TheEnumeration().devices[deviceIndex];
  *description = {deviceIndex, device.kind, device.description};
  return S_OK;
}

HRESULT D3DXGetDeviceCaps(DWORD deviceIndex, D3DDEVICEDESC7* deviceDesc, DDCAPS* halCaps) {
  if (!IsDevice(deviceIndex)) return D3DXERR_INVALIDPARAMETER;
  // Described exactly as the layer's device describes itself on that renderer.
  if (deviceDesc != nullptr)
    *deviceDesc = DescribeDevice(TheEnumeration().devices[deviceIndex].features);
  // Every OpenGL renderer draws into a window on the desktop.
  if (halCaps != nullptr) *halCaps = {0, DDCAPS2_CANRENDERWINDOWED};
  return S_OK;
}

DWORD D3DXGetVideoModeCount(DWORD deviceIndex, DWORD /*flags*/) {
  return IsDevice(deviceIndex) ? static_cast<DWORD>(TheEnumeration().modes.size()) : 0;
}

HRESULT D3DXGetVideoMode(DWORD deviceIndex, DWORD flags, DWORD modeIndex, D3DX_VIDMODEDESC* mode) {
  if (mode == nullptr || modeIndex >= D3DXGetVideoModeCount(deviceIndex, flags)) {
    return D3DXERR_INVALIDPARAMETER;
  }
  *mode = TheEnumeration().modes[modeIndex];
  return S_OK;
}
