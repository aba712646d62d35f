#pragma once
// The utility library's enumeration: the devices a context can be created on, what each
// can do, and the display modes they offer. The devices are the OpenGL renderer of the
// machine when it rasterises in hardware, and always Mesa's software rasteriser. The
// library looks once, at its first use, and answers from that look afterwards.
#include <string>

#include "render/d3d/d3d_types.h"
#include "render/d3d/ddraw_caps.h"

// Which kind of Direct3D device a description stands for (a device GUID on the platform
// the demo was written for). A card there appeared twice, as a rasterising device and once
// more for its transform-and-lighting path; here every renderer is one OpenGL device, so
// the enumeration lists no TnLHal device, and users of the list still skip that kind.
enum class D3DDeviceKind { Hal, TnLHal, Software };

struct D3DX_DEVICEDESC {
  DWORD deviceIndex = 0;
  D3DDeviceKind d3dDeviceKind = D3DDeviceKind::Software;
  std::string driverDesc;  // the hardware renderer's GL_RENDERER, or the software rasteriser
};

struct D3DX_VIDMODEDESC {
  DWORD width = 0;
  DWORD height = 0;
  DWORD bpp = 0;
  DWORD refreshRate = 0;  // Hz, 0 when the display does not say
};

DWORD D3DXGetDeviceCount();

// D3DXERR_INVALIDPARAMETER for an index past the count or a null `description`.
HRESULT D3DXGetDeviceDescription(DWORD deviceIndex, D3DX_DEVICEDESC* description);

// Fills whichever of `deviceDesc` and `halCaps` is given. D3DXERR_INVALIDPARAMETER for an
// index past the count.
HRESULT D3DXGetDeviceCaps(DWORD deviceIndex, D3DDEVICEDESC7* deviceDesc, DDCAPS* halCaps);

// Video modes in the order the display lists them, duplicates included. `flags` selects
// nothing here: every mode is listed whatever they say. An unknown device has no modes.
DWORD D3DXGetVideoModeCount(DWORD deviceIndex, DWORD flags);
HRESULT D3DXGetVideoMode(DWORD deviceIndex, DWORD flags, DWORD modeIndex, D3DX_VIDMODEDESC* mode);
