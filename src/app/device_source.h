#pragma once
// Where the start-up dialog learns about devices and their modes: the utility library's
// enumeration in the program, a made-up machine in tests.
#include "render/d3dx/d3dx_enumeration.h"

class DeviceSource {
 public:
  virtual ~DeviceSource() = default;
  virtual DWORD DeviceCount() const = 0;
  virtual HRESULT Description(DWORD deviceIndex, D3DX_DEVICEDESC* description) const = 0;
  virtual HRESULT Caps(DWORD deviceIndex, D3DDEVICEDESC7* deviceDesc, DDCAPS* halCaps) const = 0;
  virtual DWORD ModeCount(DWORD deviceIndex) const = 0;
  virtual HRESULT Mode(DWORD deviceIndex, DWORD modeIndex, D3DX_VIDMODEDESC* mode) const = 0;
};

// The enumeration of the utility library (modes asked for with flags 0).
const DeviceSource& LibraryDeviceSource();
