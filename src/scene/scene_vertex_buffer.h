#pragma once
// Vertex buffers of scene vertices, made on the demo's Direct3D object (g_d3d).
#include "render/d3d/device.h"

// A buffer of `vertexCount` scene vertices with capabilities `caps`, or null when there is
// no Direct3D object or it refuses (no vertices, more than a buffer can hold).
IDirect3DVertexBuffer7* CreateSceneVertexBuffer(DWORD vertexCount, DWORD caps);
