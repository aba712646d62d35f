#pragma once
// Value types and constants of the 3D layer. Names and values follow the Direct3D 7 call
// shapes that the demo's parts are written against; here they bind only as meanings.
#include <cstdint>

#include "render/d3d/result.h"

using D3DCOLOR = uint32_t;  // 0xAARRGGBB

struct D3DVECTOR {
  float x, y, z;
};

// Sixteen floats, row-major; points are row vectors multiplied on the matrix's left.
struct D3DMATRIX {
  float m[4][4];
};

using D3DXVECTOR3 = D3DVECTOR;
using D3DXMATRIX = D3DMATRIX;

struct D3DVIEWPORT7 {
  DWORD dwX, dwY;          // top-left corner in render-target pixels, y downward
  DWORD dwWidth, dwHeight;
  float dvMinZ, dvMaxZ;
};

enum D3DTRANSFORMSTATETYPE : DWORD {
  D3DTRANSFORMSTATE_WORLD = 1,
  D3DTRANSFORMSTATE_VIEW = 2,
  D3DTRANSFORMSTATE_PROJECTION = 3,
  D3DTRANSFORMSTATE_TEXTURE0 = 16,
};

enum D3DRENDERSTATETYPE : DWORD {
  D3DRENDERSTATE_ZENABLE = 7,
  D3DRENDERSTATE_ZWRITEENABLE = 14,
  D3DRENDERSTATE_ALPHATESTENABLE = 15,
  D3DRENDERSTATE_SRCBLEND = 19,
  D3DRENDERSTATE_DESTBLEND = 20,
  D3DRENDERSTATE_CULLMODE = 22,
  D3DRENDERSTATE_ZFUNC = 23,
  D3DRENDERSTATE_ALPHAREF = 24,
  D3DRENDERSTATE_ALPHAFUNC = 25,
  D3DRENDERSTATE_ALPHABLENDENABLE = 27,
  D3DRENDERSTATE_FOGENABLE = 28,
  D3DRENDERSTATE_FOGCOLOR = 34,
  D3DRENDERSTATE_FOGTABLEMODE = 35,
  D3DRENDERSTATE_FOGSTART = 36,
  D3DRENDERSTATE_FOGEND = 37,
  D3DRENDERSTATE_LIGHTING = 137,
};
constexpr DWORD kRenderStateCount = 256;

enum D3DTEXTURESTAGESTATETYPE : DWORD {
  D3DTSS_COLOROP = 1,
  D3DTSS_COLORARG1 = 2,
  D3DTSS_COLORARG2 = 3,
  D3DTSS_ALPHAOP = 4,
  D3DTSS_ALPHAARG1 = 5,
  D3DTSS_ALPHAARG2 = 6,
  D3DTSS_TEXCOORDINDEX = 11,
  D3DTSS_ADDRESS = 12,
  D3DTSS_ADDRESSU = 13,
  D3DTSS_ADDRESSV = 14,
  D3DTSS_MAGFILTER = 16,
  D3DTSS_MINFILTER = 17,
  D3DTSS_MIPFILTER = 18,
  D3DTSS_TEXTURETRANSFORMFLAGS = 24,
};
constexpr DWORD kTextureStageCount = 8;
constexpr DWORD kTextureStageStateCount = 32;

// Texture filters.
constexpr DWORD D3DTFG_POINT = 1, D3DTFG_LINEAR = 2, D3DTFG_ANISOTROPIC = 5;
constexpr DWORD D3DTFN_POINT = 1, D3DTFN_LINEAR = 2, D3DTFN_ANISOTROPIC = 3;
constexpr DWORD D3DTFP_NONE = 1, D3DTFP_POINT = 2, D3DTFP_LINEAR = 3;

// Texture operations and arguments.
constexpr DWORD D3DTOP_DISABLE = 1, D3DTOP_SELECTARG1 = 2, D3DTOP_SELECTARG2 = 3,
                D3DTOP_MODULATE = 4, D3DTOP_MODULATE2X = 5, D3DTOP_ADD = 7;
constexpr DWORD D3DTA_DIFFUSE = 0, D3DTA_CURRENT = 1, D3DTA_TEXTURE = 2;

// Render-state values.
constexpr DWORD D3DCULL_NONE = 1, D3DCULL_CW = 2, D3DCULL_CCW = 3;
constexpr DWORD D3DCMP_LESSEQUAL = 4;
constexpr DWORD D3DBLEND_ZERO = 1, D3DBLEND_ONE = 2;
constexpr DWORD D3DTADDRESS_WRAP = 1;

// Clear flags of the utility context.
constexpr DWORD D3DCLEAR_TARGET = 0x1, D3DCLEAR_ZBUFFER = 0x2, D3DCLEAR_STENCIL = 0x4;

// Device capability bits read by the demo and the start-up dialog.
constexpr DWORD D3DDEVCAPS_FLOATTLVERTEX = 0x1;
constexpr DWORD D3DDEVCAPS_TEXTURESYSTEMMEMORY = 0x100;
constexpr DWORD D3DDEVCAPS_TEXTUREVIDEOMEMORY = 0x200;
constexpr DWORD D3DDEVCAPS_DRAWPRIMTLVERTEX = 0x400;
constexpr DWORD D3DDEVCAPS_CANRENDERAFTERFLIP = 0x800;
constexpr DWORD D3DDEVCAPS_TEXTURENONLOCALVIDMEM = 0x1000;
constexpr DWORD D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x10000;
constexpr DWORD D3DDEVCAPS_HWRASTERIZATION = 0x80000;

struct D3DPRIMCAPS {
  DWORD dwMiscCaps;
  DWORD dwRasterCaps;
};

struct D3DDEVICEDESC7 {
  DWORD dwDevCaps;
  D3DPRIMCAPS dpcTriCaps;
  DWORD dwStencilCaps;
  DWORD dwTextureOpCaps;
};

// Blit status query of a surface.
constexpr DWORD DDGBS_CANBLT = 0x1, DDGBS_ISBLTDONE = 0x2;

// Primitive types.
enum D3DPRIMITIVETYPE : DWORD {
  D3DPT_POINTLIST = 1,
  D3DPT_LINELIST = 2,
  D3DPT_LINESTRIP = 3,
  D3DPT_TRIANGLELIST = 4,
  D3DPT_TRIANGLESTRIP = 5,
  D3DPT_TRIANGLEFAN = 6,
};

// Flexible vertex format bits. Components are laid out in this order: position (XYZ:
// three floats; XYZRHW: four, x and y in render-target pixels), diffuse ARGB, then the
// texture coordinate pairs.
constexpr DWORD D3DFVF_XYZ = 0x002;
constexpr DWORD D3DFVF_XYZRHW = 0x004;
constexpr DWORD D3DFVF_POSITION_MASK = 0x00E;
constexpr DWORD D3DFVF_NORMAL = 0x010;
constexpr DWORD D3DFVF_DIFFUSE = 0x040;
constexpr DWORD D3DFVF_SPECULAR = 0x080;
constexpr DWORD D3DFVF_TEXCOUNT_MASK = 0xF00;
constexpr DWORD D3DFVF_TEXCOUNT_SHIFT = 8;
constexpr DWORD D3DFVF_TEX0 = 0x000;
constexpr DWORD D3DFVF_TEX1 = 0x100;
constexpr DWORD D3DFVF_TEX2 = 0x200;

// More render states.
constexpr D3DRENDERSTATETYPE D3DRENDERSTATE_FILLMODE = static_cast<D3DRENDERSTATETYPE>(8);
constexpr DWORD D3DFILL_POINT = 1, D3DFILL_WIREFRAME = 2, D3DFILL_SOLID = 3;
constexpr DWORD D3DBLEND_SRCCOLOR = 3, D3DBLEND_INVSRCCOLOR = 4, D3DBLEND_SRCALPHA = 5,
                D3DBLEND_INVSRCALPHA = 6, D3DBLEND_DESTALPHA = 7, D3DBLEND_INVDESTALPHA = 8,
                D3DBLEND_DESTCOLOR = 9, D3DBLEND_INVDESTCOLOR = 10;
constexpr DWORD D3DCMP_NEVER = 1, D3DCMP_LESS = 2, D3DCMP_EQUAL = 3, D3DCMP_GREATER = 5,
                D3DCMP_NOTEQUAL = 6, D3DCMP_GREATEREQUAL = 7, D3DCMP_ALWAYS = 8;
constexpr DWORD D3DFOG_NONE = 0, D3DFOG_EXP = 1, D3DFOG_EXP2 = 2, D3DFOG_LINEAR = 3;
constexpr DWORD D3DTTFF_DISABLE = 0, D3DTTFF_COUNT1 = 1, D3DTTFF_COUNT2 = 2;
constexpr DWORD D3DTADDRESS_MIRROR = 2, D3DTADDRESS_CLAMP = 3;

// Results of ComputeSphereVisibility: for each of the six frustum planes (left, right,
// top, bottom, front, back) a "straddles" bit (0x1 << plane) and a "wholly outside" bit
// (0x1000 << plane).
constexpr DWORD D3DSTATUS_CLIPUNIONALL = 0x00000FFF;
constexpr DWORD D3DSTATUS_CLIPINTERSECTIONALL = 0x00FFF000;

struct RECT {
  int32_t left, top, right, bottom;
};

// Vertex buffers.
constexpr DWORD D3DVBCAPS_DONOTCLIP = 0x00000001;
constexpr DWORD D3DVBCAPS_SYSTEMMEMORY = 0x00000800;
constexpr DWORD D3DVBCAPS_WRITEONLY = 0x00010000;
constexpr DWORD D3DVBCAPS_OPTIMIZED = 0x80000000;
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDLOCK_READONLY = 0x10;
constexpr DWORD DDLOCK_WRITEONLY = 0x20;
constexpr DWORD DDLOCK_NOOVERWRITE = 0x1000;
constexpr DWORD DDLOCK_DISCARDCONTENTS = 0x2000;

struct D3DVERTEXBUFFERDESC {
  DWORD dwSize;
  DWORD dwCaps;
  DWORD dwFVF;
  DWORD dwNumVertices;
};

// Surfaces and texture formats of the utility library. The numbers are what the demo
// passes; each binds as a meaning (see D3DXCreateTexture).
enum D3DX_SURFACEFORMAT : DWORD {
  D3DX_SF_UNKNOWN = 0,
  D3DX_SF_R8G8B8 = 1,     // RGB; alpha reads 1
  D3DX_SF_A8R8G8B8 = 2,   // ARGB 8888
  D3DX_SF_X8R8G8B8 = 3,
  D3DX_SF_R5G6B5 = 4,
  D3DX_SF_R5G5B5 = 5,
  D3DX_SF_PALETTE4 = 6,   // no device has it: falls back to RGB 565
  D3DX_SF_PALETTE8 = 7,
  D3DX_SF_A1R5G5B5 = 8,   // ARGB 1555
  D3DX_SF_X4R4G4B4 = 9,
  D3DX_SF_A4R4G4B4 = 10,  // ARGB 4444
};
constexpr DWORD D3DX_TEXTURE_NOMIPMAP = 0x100;
enum D3DX_FILTERTYPE : DWORD {
  D3DX_FT_POINT = 1,
  D3DX_FT_LINEAR = 2,
  D3DX_FT_DEFAULT = 0xFFFFFFFFu,
};

constexpr DWORD DDSD_HEIGHT = 0x2, DDSD_WIDTH = 0x4, DDSD_MIPMAPCOUNT = 0x20000;
struct DDSURFACEDESC2 {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  DWORD dwMipMapCount;
  D3DX_SURFACEFORMAT format;  // the format the surface really has
};

// A homogeneous point (x, y, z, w) of the utility library.
struct D3DXVECTOR4 {
  float x, y, z, w;
};

// A rotation as a quaternion: (x, y, z) is the vector part and w the scalar part.
struct D3DXQUATERNION {
  float x, y, z, w;
};
