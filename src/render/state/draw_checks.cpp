#include "render/state/draw_checks.h"

#include <algorithm>

DrawCheck CheckDraw(D3DPRIMITIVETYPE type, const void* vertices, DWORD vertexCount,
                    const std::optional<IndexList>& indices) {
  const bool knownType = type >= D3DPT_POINTLIST && type <= D3DPT_TRIANGLEFAN;
  if (!knownType || vertexCount > kMaxVerticesPerDraw ||
      (indices && indices->count > kMaxIndicesPerDraw)) {
    return DrawCheck::kRefuse;
  }
  if (vertexCount == 0 || (indices && indices->count == 0)) return DrawCheck::kNothing;
  if (vertices == nullptr) return DrawCheck::kRefuse;
  if (!indices) return DrawCheck::kDraw;
  const bool indicesNameVertices =
      indices->data != nullptr &&
      *std::max_element(indices->data, indices->data + indices->count) < vertexCount;
  return indicesNameVertices ? DrawCheck::kDraw : DrawCheck::kRefuse;
}

std::optional<FvfLayout> VertexBufferLayout(const D3DVERTEXBUFFERDESC& desc) {
  FvfLayout layout;
  if (desc.dwSize != sizeof(D3DVERTEXBUFFERDESC) || !DescribeFvf(desc.dwFVF, &layout) ||
      desc.dwNumVertices == 0 || desc.dwNumVertices > kMaxVertexBufferVertices) {
    return std::nullopt;
  }
  return layout;
}
