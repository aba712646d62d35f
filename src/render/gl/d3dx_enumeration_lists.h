#pragma once
// Builds the enumeration's lists from what the platform reports: the devices from the
// OpenGL probe, the video modes from SDL's display modes.
#include <optional>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include "render/d3dx/d3dx_enumeration.h"
#include "render/gl/opengl_probe.h"

struct EnumeratedDevice {
  D3DDeviceKind kind;
  std::string description;
  GlFeatures features;  // what the layer's device reports on this renderer follows from these
};

// The hardware renderer first when the probe found one, then the software rasteriser,
// which is listed even when no OpenGL context could be had at all.
std::vector<EnumeratedDevice> DevicesFrom(const std::optional<ProbedRenderer>& probed);

// The display's modes in SDL's order, duplicates included, with the colour depth counted as
// the cards of the demo's day counted it: 24 colour bits are stored in 32-bit pixels, and
// such a mode was a 32-bit mode. Modes without a size are left out (SDL's offscreen driver
// lists one); a display left with no mode offers its desktop mode, when there is one.
std::vector<D3DX_VIDMODEDESC> VideoModesFrom(const std::vector<SDL_DisplayMode>& listed,
                                             const std::optional<SDL_DisplayMode>& desktop);
