#include "render/gl/d3dx_enumeration_lists.h"

namespace {

constexpr const char* kSoftwareRasteriser = "Software rasteriser (llvmpipe)";

D3DX_VIDMODEDESC VideoModeFrom(const SDL_DisplayMode& mode) {
  constexpr DWORD kTrueColourBits = 24;
  const DWORD bits = SDL_BITSPERPIXEL(mode.format);
  return {static_cast<DWORD>(mode.w), static_cast<DWORD>(mode.h),
          bits == kTrueColourBits ? 32u : bits, static_cast<DWORD>(mode.refresh_rate)};
}

}  // namespace

std::vector<EnumeratedDevice> DevicesFrom(const std::optional<ProbedRenderer>& probed) {
  std::vector<EnumeratedDevice> devices;
  const bool probedSoftware = probed.has_value() && probed->features.softwareRenderer;
  if (probed.has_value() && !probedSoftware) {
    devices.push_back({D3DDeviceKind::Hal, probed->name, probed->features});
  }
  // Only a probe that ran on the software rasteriser knows its extensions; otherwise the
  // layer assumes none beyond the core.
  GlFeatures softwareFeatures;
  if (probedSoftware) softwareFeatures = probed->features;
  softwareFeatures.softwareRenderer = true;
  devices.push_back({D3DDeviceKind::Software, kSoftwareRasteriser, softwareFeatures});
  return devices;
}

std::vector<D3DX_VIDMODEDESC> VideoModesFrom(const std::vector<SDL_DisplayMode>& listed,
                                             const std::optional<SDL_DisplayMode>& desktop) {
  std::vector<D3DX_VIDMODEDESC> modes;
  for (const SDL_DisplayMode& mode : listed) {
    if (mode.w > 0 && mode.h > 0) modes.push_back(VideoModeFrom(mode));
  }
  if (modes.empty() && desktop.has_value() && desktop->w > 0 && desktop->h > 0) {
    modes.push_back(VideoModeFrom(*desktop));
  }
  return modes;
}
