#include "render/gl/device_caps.h"

#include "render/d3d/d3d_caps.h"

D3DDEVICEDESC7 DescribeDevice(const GlFeatures& features) {
  D3DDEVICEDESC7 desc{};
  // Transformed vertices, floating-point ones included, are drawn like any others.
  desc.dwDevCaps = D3DDEVCAPS_FLOATTLVERTEX | D3DDEVCAPS_DRAWPRIMTLVERTEX |
                   D3DDEVCAPS_CANRENDERAFTERFLIP;
  if (features.softwareRenderer) {
    desc.dwDevCaps |= D3DDEVCAPS_TEXTURESYSTEMMEMORY;
  } else {
    desc.dwDevCaps |= D3DDEVCAPS_TEXTUREVIDEOMEMORY | D3DDEVCAPS_HWRASTERIZATION |
                      D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  }

  desc.dpcTriCaps.dwMiscCaps =
      D3DPMISCCAPS_MASKZ | D3DPMISCCAPS_CULLNONE | D3DPMISCCAPS_CULLCW | D3DPMISCCAPS_CULLCCW;
  desc.dpcTriCaps.dwRasterCaps = D3DPRASTERCAPS_ZTEST | D3DPRASTERCAPS_FOGVERTEX |
                                 D3DPRASTERCAPS_FOGTABLE | D3DPRASTERCAPS_MIPMAPLODBIAS;
  if (features.anisotropicFiltering) desc.dpcTriCaps.dwRasterCaps |= D3DPRASTERCAPS_ANISOTROPY;

  desc.dwStencilCaps = D3DSTENCILCAPS_KEEP | D3DSTENCILCAPS_ZERO | D3DSTENCILCAPS_REPLACE |
                       D3DSTENCILCAPS_INCRSAT | D3DSTENCILCAPS_DECRSAT |
                       D3DSTENCILCAPS_INVERT | D3DSTENCILCAPS_INCR | D3DSTENCILCAPS_DECR;
  desc.dwTextureOpCaps = D3DTEXOPCAPS_DISABLE | D3DTEXOPCAPS_SELECTARG1 |
                         D3DTEXOPCAPS_SELECTARG2 | D3DTEXOPCAPS_MODULATE |
                         D3DTEXOPCAPS_MODULATE2X | D3DTEXOPCAPS_ADD;
  return desc;
}
