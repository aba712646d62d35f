#include "render/d3d/result.h"

#include <cstdio>
#include <cstring>

namespace {

const char* Describe(HRESULT result) {
  switch (result) {
    case S_OK: return "No error";
    case S_FALSE: return "Operation completed with a false result";
    case E_FAIL: return "Unspecified error";
    case E_POINTER: return "Invalid pointer";
    case E_NOINTERFACE: return "No such interface supported";
    case E_NOTIMPL: return "Not implemented";
    case E_INVALIDARG: return "An invalid parameter was passed to the returning function";
    case E_OUTOFMEMORY: return "Not enough storage is available to complete this operation";
    case STG_E_FILENOTFOUND: return "The file could not be found";
    case STG_E_ACCESSDENIED: return "Access denied";
    case STG_E_READFAULT: return "A disk error occurred during a read operation";
    case STG_E_INVALIDHEADER: return "The compound file was not valid";
    case STG_E_FILEALREADYEXISTS: return "The file is not a valid compound file";
    case RECORD_E_TRUNCATED: return "The stream ends before its record does";
    case RECORD_E_COUNTTOOLARGE: return "A count in the stream exceeds the bytes left";
    case RECORD_E_NAMETOOLONG: return "A name in the stream is longer than the bytes left";
    case RECORD_E_UNKNOWNVERSION: return "The record has a version this program cannot read";
    case DDERR_SURFACELOST: return "Access to the surface was lost";
    case DDERR_WASSTILLDRAWING: return "The previous operation is still in progress";
    case D3DXERR_NODIRECT3DDEVICEAVAILABLE: return "No suitable 3D device is available";
    case D3DXERR_CAPSNOTSUPPORTED: return "The device does not support the requested capabilities";
    case D3DXERR_INITFAILED: return "The 3D layer failed to initialise";
    case D3DXERR_INVALIDPARAMETER: return "An invalid parameter was passed to the 3D layer";
    default: return nullptr;
  }
}

}  // namespace

HRESULT D3DXGetErrorString(HRESULT result, DWORD bufferSize, char* buffer) {
  if (buffer == nullptr || bufferSize == 0) return E_INVALIDARG;
  if (const char* text = Describe(result)) {
    std::snprintf(buffer, bufferSize, "%s", text);
  } else {
    std::snprintf(buffer, bufferSize, "Unrecognised error 0x%08X", static_cast<unsigned>(result));
  }
  return S_OK;
}

std::string ErrorText(HRESULT result) {
  char buffer[512];
  D3DXGetErrorString(result, sizeof buffer, buffer);
  return buffer;
}
