#include "render/gl/raster_state.h"

#include "render/state/device_state_reading.h"

namespace {

// D3DBLEND values past the ones d3d_types.h names.
constexpr DWORD D3DBLEND_SRCALPHASAT = 11, D3DBLEND_BOTHSRCALPHA = 12,
                D3DBLEND_BOTHINVSRCALPHA = 13;

GLenum BlendFactor(DWORD factor, GLenum fallback) {
  switch (factor) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return fallback;
  }
}

GLenum CompareFunction(DWORD function) {
  // D3DCMP_NEVER .. D3DCMP_ALWAYS run in the same order as GL_NEVER .. GL_ALWAYS.
  if (function < D3DCMP_NEVER || function > D3DCMP_ALWAYS) return GL_LEQUAL;
  return GL_NEVER + (function - D3DCMP_NEVER);
}

GLenum PolygonMode(DWORD fillMode) {
  switch (fillMode) {
    case D3DFILL_POINT: return GL_POINT;
    case D3DFILL_WIREFRAME: return GL_LINE;
    default: return GL_FILL;
  }
}

}  // namespace

RasterState DescribeRasterState(const DeviceStates& states) {
  RasterState raster;
  raster.blend = RenderStateOf(states, D3DRENDERSTATE_ALPHABLENDENABLE) != 0;
  const DWORD source = RenderStateOf(states, D3DRENDERSTATE_SRCBLEND);
  // The two "both" factors set the destination factor too, overriding DESTBLEND.
  if (source == D3DBLEND_BOTHSRCALPHA) {
    raster.sourceBlend = GL_SRC_ALPHA;
    raster.destinationBlend = GL_ONE_MINUS_SRC_ALPHA;
  } else if (source == D3DBLEND_BOTHINVSRCALPHA) {
    raster.sourceBlend = GL_ONE_MINUS_SRC_ALPHA;
    raster.destinationBlend = GL_SRC_ALPHA;
  } else {
    raster.sourceBlend = BlendFactor(source, GL_ONE);
    raster.destinationBlend = BlendFactor(RenderStateOf(states, D3DRENDERSTATE_DESTBLEND), GL_ZERO);
  }

  // Without the depth test OpenGL writes no depth either, as Direct3D does with ZENABLE
  // off.
  raster.depthTest = RenderStateOf(states, D3DRENDERSTATE_ZENABLE) != 0;
  raster.depthWrite = RenderStateOf(states, D3DRENDERSTATE_ZWRITEENABLE) != 0;
  raster.depthFunction = CompareFunction(RenderStateOf(states, D3DRENDERSTATE_ZFUNC));

  // The picture is stored with its top row highest, so a triangle turns the same way in
  // OpenGL's window space (y up) as on screen (y down, seen the right way up).
  // D3DCULL_CCW removes counter-clockwise triangles: clockwise ones are the front.
  const DWORD cullMode = RenderStateOf(states, D3DRENDERSTATE_CULLMODE);
  raster.cull = cullMode == D3DCULL_CW || cullMode == D3DCULL_CCW;
  raster.frontFace = cullMode == D3DCULL_CW ? GL_CCW : GL_CW;
  raster.polygonMode = PolygonMode(RenderStateOf(states, D3DRENDERSTATE_FILLMODE));
  return raster;
}
