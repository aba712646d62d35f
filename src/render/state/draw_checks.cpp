#include "render/state/draw_checks.h"

#include <algorithm>

std::optional<GLenum> GlPrimitiveMode(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
  }
  return std::nullopt;
}

bool IndicesBelow(const uint16_t* indices, DWORD count, DWORD vertexCount) {
  return count == 0 || *std::max_element(indices, indices + count) < vertexCount;
}
