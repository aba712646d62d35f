#pragma once
// Result codes shared by the 3D layer, the archive and the program's COM-style objects.
// Negative values are failures, as on the platform the demo was written for.
#include <cstdint>
#include <string>

using HRESULT = int32_t;
using DWORD = uint32_t;
using ULONG = uint32_t;

constexpr HRESULT MakeResult(uint32_t bits) { return static_cast<HRESULT>(bits); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = MakeResult(0x80004005u);
constexpr HRESULT E_POINTER = MakeResult(0x80004003u);
constexpr HRESULT E_NOINTERFACE = MakeResult(0x80004002u);
constexpr HRESULT E_NOTIMPL = MakeResult(0x80004001u);
constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057u);
constexpr HRESULT E_OUTOFMEMORY = MakeResult(0x8007000Eu);

// Compound-file (structured storage) results.
constexpr HRESULT STG_E_FILENOTFOUND = MakeResult(0x80030002u);
constexpr HRESULT STG_E_ACCESSDENIED = MakeResult(0x80030005u);
constexpr HRESULT STG_E_READFAULT = MakeResult(0x8003001Eu);
constexpr HRESULT STG_E_INVALIDHEADER = MakeResult(0x800300FBu);
constexpr HRESULT STG_E_FILEALREADYEXISTS = MakeResult(0x80030050u);

// Record reader results (scenes, meshes, shapes): what is wrong with a record's bytes.
constexpr HRESULT RECORD_E_TRUNCATED = MakeResult(0x80040201u);
constexpr HRESULT RECORD_E_COUNTTOOLARGE = MakeResult(0x80040202u);
constexpr HRESULT RECORD_E_NAMETOOLONG = MakeResult(0x80040203u);
constexpr HRESULT RECORD_E_UNKNOWNVERSION = MakeResult(0x80040204u);

// 3D layer results.
constexpr HRESULT DD_OK = S_OK;
constexpr HRESULT D3D_OK = S_OK;
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
constexpr HRESULT DDERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DDERR_SURFACELOST = MakeResult(0x887601C2u);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeResult(0x8876021Cu);
constexpr HRESULT D3DXERR_NODIRECT3DDEVICEAVAILABLE = MakeResult(0x88760A85u);
constexpr HRESULT D3DXERR_CAPSNOTSUPPORTED = MakeResult(0x88760A9Au);
constexpr HRESULT D3DXERR_INITFAILED = MakeResult(0x88760A96u);
constexpr HRESULT D3DXERR_INVALIDPARAMETER = MakeResult(0x88760A8Fu);

inline bool FAILED(HRESULT result) { return result < 0; }
inline bool SUCCEEDED(HRESULT result) { return result >= 0; }

// Writes the description of `result` into `buffer` (at most `bufferSize` characters, always
// terminated) and returns S_OK; the wording follows the codes above.
HRESULT D3DXGetErrorString(HRESULT result, DWORD bufferSize, char* buffer);

// The description of `result` as the demo appends it to its fatal messages: it goes through
// a 512-character buffer, exactly like the demo's own error reporting.
std::string ErrorText(HRESULT result);
