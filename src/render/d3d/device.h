#pragma once
// The objects of the 3D layer that the demo holds: the Direct3D object, the DirectDraw
// object, the primary surface and the device. One OpenGL context stands behind all four;
// each is a counted reference handed out by the utility context (d3dx_context.h).
#include "render/d3d/d3d_types.h"
#include "render/d3d/ref_counted.h"

// A surface: the primary (presentation) surface, the back buffer, or a texture. Each kind
// answers the calls that make sense for it; the others give DDERR_UNSUPPORTED.
class IDirectDrawSurface7 : public RefCounted {
 public:
  // Presenting is synchronous, so a blit is always done.
  virtual HRESULT GetBltStatus(DWORD flags);
  // Size, mip-map count and format of a texture surface.
  virtual HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc);
  // Copies `sourceRect` of `source` (the whole surface when null) onto `destRect` of this
  // surface (the whole surface when null), stretched with a linear filter. Used to copy
  // from the back buffer into a texture.
  virtual HRESULT Blt(const RECT* destRect, IDirectDrawSurface7* source, const RECT* sourceRect,
                      DWORD flags, void* effects);
};

class IDirect3DDevice7;

// Vertex data kept by the device. Lock gives the vertices to write (or read); Unlock
// hands them back to the device.
class IDirect3DVertexBuffer7 : public RefCounted {
 public:
  virtual HRESULT Lock(DWORD flags, void** data, DWORD* size) = 0;
  virtual HRESULT Unlock() = 0;
  // Marks the buffer as optimised for `device`: it cannot be locked afterwards.
  virtual HRESULT Optimize(IDirect3DDevice7* device, DWORD flags) = 0;
  virtual HRESULT GetVertexBufferDesc(D3DVERTEXBUFFERDESC* desc) = 0;
};

// Creates device-level resources.
class IDirect3D7 : public RefCounted {
 public:
  virtual HRESULT CreateVertexBuffer(const D3DVERTEXBUFFERDESC* desc,
                                     IDirect3DVertexBuffer7** buffer, DWORD flags) = 0;
  // Drops managed copies of textures from video memory (nothing to do over OpenGL).
  virtual HRESULT EvictManagedTextures() = 0;
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
  virtual HRESULT GetDirect3D(IDirect3D7** direct3D) = 0;

  // Binds `texture` (a texture surface, or null for none) to `stage`. The device holds a
  // reference while it is bound.
  virtual HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) = 0;
  virtual HRESULT GetTexture(DWORD stage, IDirectDrawSurface7** texture) = 0;
  // Makes sure `texture` is resident before it is first drawn with.
  virtual HRESULT PreLoad(IDirectDrawSurface7* texture) = 0;

  // Draws `vertexCount` vertices of flexible vertex format `fvf` from memory.
  virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                                DWORD vertexCount, DWORD flags) = 0;
  virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                                       DWORD vertexCount, const uint16_t* indices,
                                       DWORD indexCount, DWORD flags) = 0;
  virtual HRESULT DrawPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                                  DWORD startVertex, DWORD vertexCount, DWORD flags) = 0;
  // Indices count from `startVertex`; `vertexCount` vertices from there may be used.
  virtual HRESULT DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                                         DWORD startVertex, DWORD vertexCount,
                                         const uint16_t* indices, DWORD indexCount,
                                         DWORD flags) = 0;

  // Tests `count` spheres against the frustum of World x View x Projection; each result
  // gets the D3DSTATUS_CLIP... bits described in d3d_types.h.
  virtual HRESULT ComputeSphereVisibility(const D3DVECTOR* centers, const float* radii,
                                          DWORD count, DWORD flags, DWORD* results) = 0;
};
