#pragma once
// Puts the process on the device chosen from the enumeration. Which OpenGL driver serves a
// context is settled when SDL's video subsystem loads the driver, so the choice is made
// before the demo's window exists, and it holds for every context made afterwards.
#include "render/d3d/result.h"

// Makes every OpenGL context created from now on run on the enumeration's device
// `deviceIndex`. The software rasteriser is forced through the environment: Mesa's
// LIBGL_ALWAYS_SOFTWARE=1, and GLVND's GLX vendor set to Mesa so that a display whose GLX
// comes from another vendor obeys it too. Choosing the hardware renderer takes those two
// values back out. When the environment changed, SDL's video subsystem (if it is up) is
// started again so that the driver is loaded afresh; no window may exist at that moment.
// D3DXERR_INVALIDPARAMETER for an unknown index, D3DXERR_INITFAILED when the video
// subsystem does not start again.
HRESULT UseDeviceForNewContexts(DWORD deviceIndex);
