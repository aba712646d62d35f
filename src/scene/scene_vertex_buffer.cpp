#include "scene/scene_vertex_buffer.h"

#include "demo/demo.h"
#include "scene/scene_vertex.h"

IDirect3DVertexBuffer7* CreateSceneVertexBuffer(DWORD vertexCount, DWORD caps) {
  if (g_d3d == nullptr) return nullptr;
  const D3DVERTEXBUFFERDESC description{sizeof(D3DVERTEXBUFFERDESC), caps, kSceneVertexFvf,
                                        vertexCount};
  IDirect3DVertexBuffer7* buffer = nullptr;
  if (FAILED(g_d3d->CreateVertexBuffer(&description, &buffer, 0))) return nullptr;
  return buffer;
}
