#include "effects/tetradoom_effect.h"

#include <cmath>

#include "demo/demo.h"
#include "demo/stage_states.h"
#include "render/d3dx/d3dx_maths.h"

namespace {

constexpr char kFaceTexture[] = "tetradoom.png";
constexpr int kDepth = 5;

// The start tetrahedron (world units): its base on y = 0 around the y axis at radius 6.
constexpr D3DVECTOR kCorners[4] = {{0.0f, 0.0f, 6.0f},
                                   {5.196152f, 0.0f, -3.0f},
                                   {-5.196152f, 0.0f, -3.0f},
                                   {0.0f, 8.485281f, 0.0f}};

// Every face shows the same triangular cut of the texture, from its apex at the top.
constexpr float kFaceUv[3][2] = {{0.5f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};

D3DVECTOR Midpoint(const D3DVECTOR& a, const D3DVECTOR& b) {
  return {(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f, (a.z + b.z) * 0.5f};
}

void AppendTriangle(std::vector<TetradoomVertex>& out, const D3DVECTOR& p, const D3DVECTOR& q,
                    const D3DVECTOR& r) {
  const D3DVECTOR* corners[3] = {&p, &q, &r};
  for (int i = 0; i < 3; ++i) {
    out.push_back({corners[i]->x, corners[i]->y, corners[i]->z, kFaceUv[i][0], kFaceUv[i][1]});
  }
}

// The tetrahedron p0..p3: its own faces when `outer`, the four faces of the octahedron cut
// from its middle, and below depth 2 nothing more; else the same for its four corner
// tetrahedra, one level less deep. The recursion is as deep as the fractal, five levels.
void Subdivide(std::vector<TetradoomVertex>& out, const D3DVECTOR& p0, const D3DVECTOR& p1,
               const D3DVECTOR& p2, const D3DVECTOR& p3, int depth, bool outer) {
  if (outer) {
    AppendTriangle(out, p0, p2, p1);
    AppendTriangle(out, p3, p1, p2);
    AppendTriangle(out, p3, p0, p1);
    AppendTriangle(out, p3, p2, p0);
  }
  const D3DVECTOR m01 = Midpoint(p0, p1), m02 = Midpoint(p0, p2), m03 = Midpoint(p0, p3);
  const D3DVECTOR m12 = Midpoint(p1, p2), m13 = Midpoint(p1, p3), m23 = Midpoint(p2, p3);
  AppendTriangle(out, m13, m12, m01);
  AppendTriangle(out, m23, m02, m12);
  AppendTriangle(out, m03, m01, m02);
  AppendTriangle(out, m03, m23, m13);
  if (depth < 2) return;
  Subdivide(out, p0, m01, m02, m03, depth - 1, false);
  Subdivide(out, m01, p1, m12, m13, depth - 1, false);
  Subdivide(out, m02, m12, p2, m23, depth - 1, false);
  Subdivide(out, m03, m13, m23, p3, depth - 1, false);
}

}  // namespace

std::vector<TetradoomVertex> MakeTetradoom(int depth) {
  std::vector<TetradoomVertex> triangles;
  Subdivide(triangles, kCorners[0], kCorners[1], kCorners[2], kCorners[3], depth, true);
  return triangles;
}

D3DVECTOR TetradoomEye(float t) {
  return {8.0f * std::cos(28.0f * t), (std::sin(15.0f * t) + 0.8f) * 4.5f,
          8.0f * std::sin(28.0f * t)};
}

CTetradoomEffect::CTetradoomEffect(CDemo* owner) : CPart(owner) {}

CTetradoomEffect::~CTetradoomEffect() {
  if (holdsTexture_) Release();
}

void CTetradoomEffect::Init() {
  demo->textures()->LoadTexture(kFaceTexture, kAlphaTextureFormat, 0);
  holdsTexture_ = true;
  triangles_ = MakeTetradoom(kDepth);
}

void CTetradoomEffect::Render(float t) {
  const D3DXVECTOR3 eye = TetradoomEye(t), target{0, 0, 0}, up{0, 1, 0};
  D3DXMATRIX view, world;
  D3DXMatrixLookAtLH(&view, &eye, &target, &up);
  // Lowers the fractal by a third of its height, so the camera circles its middle.
  D3DXMatrixTranslation(&world, 0, std::sqrt(2.0f) * 6.0f * -0.33333334f, 0);
  IDirect3DDevice7* device = g_d3dDevice;
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);

  demo->textures()->SetTextureByName(0, kFaceTexture);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE);
  SetColourTextureTimesDiffuse(device);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kTetradoomVertexFormat, triangles_.data(),
                        static_cast<DWORD>(triangles_.size()), 0);
}

void CTetradoomEffect::Release() {
  demo->textures()->ReleaseTextureByName(kFaceTexture);
  holdsTexture_ = false;
}
