#pragma once
// The part of DirectDraw's driver capabilities that the 3D layer reports: whether the
// device can draw into a window on the desktop as well as in a full-screen mode.
#include "render/d3d/result.h"

struct DDCAPS {
  DWORD dwCaps;
  DWORD dwCaps2;
};

// DDCAPS::dwCaps2
constexpr DWORD DDCAPS2_CANRENDERWINDOWED = 0x00080000;
