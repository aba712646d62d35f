#include "effects/env_map_effect.h"

#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "demo/demo.h"
#include "render/d3dx/d3dx_maths.h"

namespace {

constexpr char kReflectionTexture[] = "ckenv.png";
constexpr float kPathSpeed = 3.8245f;  // path phase per unit of the owner's span
constexpr float kCellSize = 0.2f;      // of the marching-cubes lattice (world units)
constexpr float kIsoLevel = 1.0f;
constexpr float kScale = 3.0f;  // world units per blob unit
// The eye, in the mesh's own unscaled coordinates as the reflections take it.
constexpr D3DVECTOR kViewer = {0.0f, 0.0f, 8.0f};

D3DXVECTOR3 Normalised(D3DXVECTOR3 v) {
  D3DXVec3Normalize(&v, &v);
  return v;
}

const D3DXVECTOR3 kLight = Normalised({1.0f, 1.0f, 1.2f});

// The outward normal at `p`: against the field's gradient, with every blob counted however
// far it is.
D3DVECTOR SurfaceNormal(const D3DVECTOR& p, const std::array<BlobRecord, kBlobCount>& blobs) {
  D3DVECTOR sum = {0, 0, 0};
  for (const BlobRecord& blob : blobs) {
    D3DXVECTOR3 d;
    D3DXVec3Subtract(&d, &p, &blob.centre);
    const float squared = D3DXVec3Dot(&d, &d);
    const float weight = 1.0f / (squared * squared);
    sum = {sum.x + d.x * weight, sum.y + d.y * weight, sum.z + d.z * weight};
  }
  return Normalised(sum);
}

}  // namespace

std::array<D3DVECTOR, kBlobCount> BlobCentresAt(float t) {
  const float phase = kPathSpeed * t;
  return {{{std::cos(1.1f * phase), std::sin(13.1f * phase), 0.0f},
           {std::sin(4.1f * phase), std::cos(8.1f * phase), 0.0f},
           {std::cos(9.1f * phase), 0.0f, std::sin(18.1f * phase)},
           {-std::sin(13.1f * phase), -std::cos(12.1f * phase), 0.0f},
           {std::cos(14.1f * phase), 0.0f, -std::sin(4.1f * phase)}}};
}

CEnvMapEffect::CEnvMapEffect(CDemo* owner) : CPart(owner) {}

CEnvMapEffect::~CEnvMapEffect() {
  if (holdsTexture_) Release();
}

void CEnvMapEffect::Init() {
  demo->textures()->LoadTexture(kReflectionTexture, kDefaultTextureFormat, 0);
  holdsTexture_ = true;
}

void CEnvMapEffect::Render(float t) {
  const D3DXVECTOR3 eye = kViewer, target{0, 0, 0}, up{0, 1, 0};
  D3DXMATRIX view, world;
  D3DXMatrixLookAtLH(&view, &eye, &target, &up);
  D3DXMatrixScaling(&world, kScale, kScale, kScale);
  IDirect3DDevice7* device = g_d3dDevice;
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);

  const std::array<D3DVECTOR, kBlobCount> centres = BlobCentresAt(t);
  for (int i = 0; i < kBlobCount; ++i) blobs_[i].centre = centres[i];
  field_.Rebuild(blobs_);
  surface_.Polygonise(blobs_, field_, kCellSize, kIsoLevel, mesh_);
  if (mesh_.truncated && !reportedTruncation_) {
    g_log << "Blob surface needs more than " << kMaxBlobMeshVertices
          << " vertices: drawing the part that fits\n";
    reportedTruncation_ = true;
  }

  demo->textures()->SetTextureByName(0, kReflectionTexture);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  Shade();
  if (mesh_.indices.empty()) return;
  device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kSceneVertexFvf, mesh_.vertices.data(),
                               static_cast<DWORD>(mesh_.vertices.size()), mesh_.indices.data(),
                               static_cast<DWORD>(mesh_.indices.size()), 0);
}

void CEnvMapEffect::Shade() {
  for (SceneVertex& vertex : mesh_.vertices) {
    const D3DVECTOR p = {vertex.x, vertex.y, vertex.z};
    const D3DVECTOR normal = SurfaceNormal(p, blobs_);
    // The view direction reflected, as 2 (N.s) (N - s), into sphere-map coordinates.
    D3DXVECTOR3 toViewer;
    D3DXVec3Normalize(&toViewer, D3DXVec3Subtract(&toViewer, &kViewer, &p));
    const float k = 2.0f * D3DXVec3Dot(&normal, &toViewer);
    const D3DVECTOR r = {k * (normal.x - toViewer.x), k * (normal.y - toViewer.y),
                         k * (normal.z - toViewer.z)};
    const float m = 2.0f * std::sqrt(r.x * r.x + r.y * r.y + (r.z + 1.0f) * (r.z + 1.0f));
    // A reflection straight back along -z has no place on the sphere map: the centre.
    vertex.u = m > 0.0f ? r.x / m + 0.5f : 0.5f;
    vertex.v = m > 0.0f ? -r.y / m + 0.5f : 0.5f;
    const float lit = std::max(0.0f, D3DXVec3Dot(&normal, &kLight));
    const auto grey = static_cast<DWORD>(255.0f * lit);
    vertex.colour = 0xFF000000u | grey << 16 | grey << 8 | grey;
  }
}

void CEnvMapEffect::Release() {
  demo->textures()->ReleaseTextureByName(kReflectionTexture);
  holdsTexture_ = false;
}
