#include "render/d3dx/device_selection.h"

#include <cstdlib>
#include <cstring>

#include <SDL2/SDL.h>

#include "render/d3dx/d3dx_enumeration.h"

namespace {

struct EnvironmentValue {
  const char* name;
  const char* value;
};

constexpr EnvironmentValue kForceSoftwareRasteriser[] = {
    {"LIBGL_ALWAYS_SOFTWARE", "1"},
    {"__GLX_VENDOR_LIBRARY_NAME", "mesa"},
};

bool IsSet(const EnvironmentValue& setting) {
  const char* current = std::getenv(setting.name);
  return current != nullptr && std::strcmp(current, setting.value) == 0;
}

// Sets the values (or takes them out again); true when the environment changed.
bool ForceSoftwareRasteriser(bool force) {
  bool changed = false;
  for (const EnvironmentValue& setting : kForceSoftwareRasteriser) {
    if (IsSet(setting) == force) continue;
    if (force) {
      setenv(setting.name, setting.value, 1);
    } else {
      unsetenv(setting.name);
    }
    changed = true;
  }
  return changed;
}

bool RestartVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return true;  // the next start loads the driver
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace

HRESULT UseDeviceForNewContexts(DWORD deviceIndex) {
  D3DX_DEVICEDESC device;
  if (FAILED(D3DXGetDeviceDescription(deviceIndex, &device))) return D3DXERR_INVALIDPARAMETER;
  const bool software = device.d3dDeviceKind == D3DDeviceKind::Software;
  if (ForceSoftwareRasteriser(software) && !RestartVideo()) return D3DXERR_INITFAILED;
  return S_OK;
}
