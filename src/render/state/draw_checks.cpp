#include "render/state/draw_checks.h"

#include <algorithm>

std::optional<HRESULT> CheckDraw(D3DPRIMITIVETYPE type, const void* vertices,
                                 DWORD vertexCount, const std::optional<IndexList>& indices) {
  const bool knownType = type >= D3DPT_POINTLIST && type <= D3DPT_TRIANGLEFAN;
  if (!knownType || vertexCount > kMaxVerticesPerDraw ||
      (indices && indices->count > kMaxIndicesPerDraw)) {
    return DDERR_INVALIDPARAMS;
  }
  if (vertexCount == 0 || (indices && indices->count == 0)) return D3D_OK;
  if (vertices == nullptr) return DDERR_INVALIDPARAMS;
  if (!indices) return std::nullopt;
  const bool indicesNameVertices =
      indices->data != nullptr &&
      *std::max_element(indices->data, indices->data + indices->count) < vertexCount;
  if (!indicesNameVertices) return DDERR_INVALIDPARAMS;
  return std::nullopt;
}

std::optional<FvfLayout> VertexBufferLayout(const D3DVERTEXBUFFERDESC& desc) {
  FvfLayout layout;
  if (desc.dwSize != sizeof(D3DVERTEXBUFFERDESC) || !DescribeFvf(desc.dwFVF, &layout) ||
      desc.dwNumVertices == 0 || desc.dwNumVertices > kMaxVertexBufferVertices) {
    return std::nullopt;
  }
  return layout;
}
