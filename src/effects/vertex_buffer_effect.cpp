#include "effects/vertex_buffer_effect.h"

#include "demo/demo.h"
#include "base/demo_error.h"
#include "render/d3d/result.h"

namespace {

constexpr DWORD kTubeVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;

// The triangles joining ring r - 1 to ring r, as offsets from vertex 4r (ring r's first).
constexpr int kRingJoin[8][3] = {
    {-1, 3, 2}, {-1, 2, -2}, {-4, 1, 0},  {-4, -3, 1},
    {-4, 0, 3}, {-4, 3, -1}, {-2, 2, -3}, {-3, 2, 1},
};

}  // namespace

CVertexBufferEffect::CVertexBufferEffect(CDemo* owner) : CPart(owner) {}

CVertexBufferEffect::~CVertexBufferEffect() { SafeRelease(vertices_); }

void CVertexBufferEffect::Init() {
  SafeRelease(vertices_);
  const D3DVERTEXBUFFERDESC description{sizeof(D3DVERTEXBUFFERDESC), D3DVBCAPS_SYSTEMMEMORY,
                                        kTubeVertexFormat, kTubeVertices};
  if (const HRESULT result = g_d3d->CreateVertexBuffer(&description, &vertices_, 0);
      FAILED(result)) {
    vertices_ = nullptr;
    throw demoError("Error creating vb.: " + ErrorText(result));
  }
  indices_.clear();
  indices_.reserve(kTubeIndices);
  for (int ring = 1; ring < static_cast<int>(kTubeRings); ++ring) {
    for (const auto& triangle : kRingJoin) {
      for (const int offset : triangle) indices_.push_back(static_cast<uint16_t>(4 * ring + offset));
    }
  }
}

void CVertexBufferEffect::Release() {}
