#pragma once
// The objects of the 3D layer that the demo holds: the Direct3D object, the DirectDraw
// object, the primary surface and the device. One OpenGL context stands behind all four;
// each is a counted reference handed out by the utility context (d3dx_context.h).
#include "render/d3d_types.h"
#include "render/ref_counted.h"

// Creates device-level resources. Vertex buffers will be created here.
class IDirect3D7 : public RefCounted {};

// The presentation surface. Presenting is synchronous, so a blit is always done.
class IDirectDrawSurface7 : public RefCounted {
 public:
  virtual HRESULT GetBltStatus(DWORD flags) = 0;
};

struct DDSCAPS2 {
  DWORD dwCaps, dwCaps2, dwCaps3, dwCaps4;
};

class IDirectDraw7 : public RefCounted {
 public:
  // Total and free memory, in bytes, of the kind `caps` describes (texture memory).
  virtual HRESULT GetAvailableVidMem(const DDSCAPS2* caps, DWORD* total, DWORD* free) = 0;
};

// The D3D7-style device. States and transforms are recorded exactly as set and read back
// unchanged; the OpenGL implementation maps them onto the pipeline.
class IDirect3DDevice7 : public RefCounted {
 public:
  virtual HRESULT GetCaps(D3DDEVICEDESC7* desc) = 0;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  // The rectangle is in render-target pixels with y downward and must lie inside the
  // target; everything drawn, and the context's Clear, is confined to it.
  virtual HRESULT SetViewport(const D3DVIEWPORT7* viewport) = 0;
  virtual HRESULT GetViewport(D3DVIEWPORT7* viewport) = 0;
  virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) = 0;
  virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) = 0;
  virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
  virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;
  virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                       DWORD value) = 0;
  virtual HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                       DWORD* value) = 0;
};
