#include "effects/sky_dome.h"

#include <cmath>
#include <numbers>

#include "demo/demo.h"

namespace {

constexpr D3DCOLOR kOpaqueWhite = 0xFFFFFFFFu;
constexpr float kPi = std::numbers::pi_v<float>;

}  // namespace

HRESULT CSkyDome::Build(const D3DVECTOR& centre, float verticalRadius, float horizontalRadius,
                        int segments, int rings) {
  Release();
  const int n = segments;
  // Every vertex must be reachable by a 16-bit index.
  if (n < 2 || rings < 3 || n * (rings - 1) + 1 > 0x10000) return E_INVALIDARG;
  const D3DVERTEXBUFFERDESC description{sizeof(D3DVERTEXBUFFERDESC), D3DVBCAPS_SYSTEMMEMORY,
                                        kSceneVertexFvf,
                                        static_cast<DWORD>(n * (rings - 1) + 1)};
  if (const HRESULT created = g_d3d->CreateVertexBuffer(&description, &vertexBuffer, 0);
      FAILED(created)) {
    vertexBuffer = nullptr;
    return created;
  }
  indices.assign(static_cast<size_t>(n * (6 * rings - 9)), 0);
  void* data = nullptr;
  if (const HRESULT locked = vertexBuffer->Lock(0, &data, nullptr); FAILED(locked)) {
    Release();
    return locked;
  }
  vertexCount = description.dwNumVertices;
  auto* vertices = static_cast<SceneVertex*>(data);

  vertices[0] = {centre.x, centre.y + verticalRadius, centre.z, kOpaqueWhite, 0, 0};
  int placed = 1;
  size_t next = 0;  // the next index to write
  const auto triangle = [&](int a, int b, int c) {
    indices[next++] = static_cast<uint16_t>(a);
    indices[next++] = static_cast<uint16_t>(b);
    indices[next++] = static_cast<uint16_t>(c);
  };
  for (int ring = 0; ring < rings - 1; ++ring) {
    const float polar = static_cast<float>(ring + 1) / static_cast<float>(rings) * kPi * 0.5f;
    const float height = verticalRadius * std::cos(polar);
    const float radius = horizontalRadius * std::sin(polar);
    for (int segment = 0; segment < n; ++segment) {
      const float azimuth = static_cast<float>(segment) / static_cast<float>(n - 1) * 2 * kPi;
      const float x = centre.x + radius * std::cos(azimuth);
      const float z = centre.z + radius * std::sin(azimuth);
      // Seen from above: u and v run from -1 to 1 across the rim.
      vertices[placed] = {x,
                          centre.y + height,
                          z,
                          kOpaqueWhite,
                          (x - centre.x) / horizontalRadius,
                          (z - centre.z) / horizontalRadius};
      const int w = placed++;
      if (ring == 0) {
        triangle((w + 1) % (n + 1), w, 0);
      } else if (ring < rings - 2) {
        triangle(w, w - n, w - n + 1);
        triangle(w - n + 1, w + 1, w);
      }
    }
  }
  vertexBuffer->Unlock();
  return D3D_OK;
}

void CSkyDome::Release() {
  SafeRelease(vertexBuffer);
  vertexCount = 0;
  indices.clear();
}
