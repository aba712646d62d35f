#include "effects/dna_effect.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "demo/demo.h"
#include "base/demo_error.h"
#include "demo/stage_states.h"
#include "effects/screen_quad.h"
#include "render/d3dx/d3dx_texture.h"
#include "render/d3d/result.h"
#include "resources/archive.h"

namespace {

// The tube's cross-section: corners 15 pixels from its centre line, 6/7 radian apart (so
// the ring does not close evenly), a sixth of the skin's width apart.
constexpr float kSectionRadius = 15.0f;       // pixels
constexpr float kSectionStep = 0.14285715f;   // of kSectionTurn per corner
constexpr float kSectionTurn = 6.0f;          // radians
constexpr float kSectionUStep = 0.16666667f;  // of the skin's 255 columns per corner

constexpr int kCentreColumn = 64;
constexpr float kHelixRadius = 35.0f;  // pixels, at the widest
// The light falling on the tubes: a unit vector in the plane of a row's cross-section (x
// across the panel, y in depth).
constexpr float kLightX = -0.7f;
constexpr float kLightY = -0.71414286f;

constexpr float kPanelLeft = 0.6f;  // of the screen's width; the panel reaches the right edge
constexpr D3DCOLOR kOpaqueWhite = 0xFFFFFFFFu;

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kTransparentBlack = 0;

// Opaque grey of `level` 0..255.
uint32_t GreyPixel(int level) { return kOpaque | static_cast<uint32_t>(level) * 0x010101u; }

// The corners of one strand on one row: the cross-section turned by `angle`, squeezed to
// `scale`, about column `centre`, each shaded by the light.
void PlaceStrand(int centre, float angle, float scale, DnaSpanPoint* points) {
  const float cosine = std::cos(angle);
  const float sine = std::sin(angle);
  for (int k = 0; k < kDnaSectionPoints; ++k) {
    const DnaSectionPoint& corner = DnaCrossSection()[k];
    const int offset = static_cast<int>(scale * (corner.x * cosine + corner.y * sine));
    const float normalX = corner.nx * cosine + corner.ny * sine;
    const float normalY = corner.ny * cosine - corner.nx * sine;
    const float shade = std::max(0.0f, kLightX * normalX + kLightY * normalY);
    points[k] = {centre + offset, corner.u, shade};
  }
}

// Draws the edges of one strand's cross-section that face the viewer.
void FillStrand(const DnaSpanPoint* points, const uint8_t* skinRow, uint32_t* pixelRow) {
  for (int k = 0; k < kDnaSectionPoints; ++k) {
    FillDnaSpan(points[k], points[(k + 1) % kDnaSectionPoints], skinRow, pixelRow);
  }
}

}  // namespace

const std::array<DnaSectionPoint, kDnaSectionPoints>& DnaCrossSection() {
  static const std::array<DnaSectionPoint, kDnaSectionPoints> section = [] {
    std::array<DnaSectionPoint, kDnaSectionPoints> corners{};
    for (int k = 0; k < kDnaSectionPoints; ++k) {
      const float angle = static_cast<float>(k) * kSectionStep * kSectionTurn;
      const float x = kSectionRadius * std::cos(angle);
      const float y = kSectionRadius * std::sin(angle);
      const float length = std::hypot(x, y);
      corners[k] = {x, y, x / length, y / length,
                    static_cast<int32_t>(static_cast<float>(k) * kSectionUStep * 255.0f)};
    }
    return corners;
  }();
  return section;
}

const std::array<uint8_t, 256>& DnaHighlight() {
  static const std::array<uint8_t, 256> highlight = [] {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
      table[i] = static_cast<uint8_t>(255.0 * std::pow(i * 0.003921569, 10));
    }
    return table;
  }();
  return highlight;
}

void FillDnaSpan(const DnaSpanPoint& start, const DnaSpanPoint& end, const uint8_t* skinRow,
                 uint32_t* pixelRow) {
  if (start.x >= end.x) return;
  const int width = end.x - start.x;
  const int du = (end.u - start.u) / width;
  const float dg = (end.shade - start.shade) / static_cast<float>(width);
  int u = start.u;
  float g = start.shade;
  for (int x = start.x; x <= end.x; ++x) {
    // The shade may stray a rounding step past 0..1 on its way between the corners.
    const int lit = std::clamp(static_cast<int>(g * 255.0f), 0, 255);
    const int diffuse = static_cast<int>(g * static_cast<float>(skinRow[u]));
    // Summed wider than a byte, so a bright texel in a highlight saturates to white
    // instead of wrapping round to dark.
    pixelRow[x] = GreyPixel(std::clamp(DnaHighlight()[lit] + diffuse, 0, 255));
    u += du;
    g += dg;
  }
}

void DrawDnaHelix(float t, const uint8_t* skin, uint32_t* pixels) {
  std::fill_n(pixels, kDnaPanelWidth * kDnaPanelHeight, kTransparentBlack);
  const float twist =
      2.0f * t * ((std::sin(16.3123f * t) + 1.0f) * 0.4f + 0.2f) + (1.0f - t);
  const float phase = 100.23424f * t;
  DnaSpanPoint strandA[kDnaSectionPoints];
  DnaSpanPoint strandB[kDnaSectionPoints];
  for (int y = 0; y < kDnaPanelHeight; ++y) {
    const auto row = static_cast<float>(y);
    const float angle = row * twist * std::numbers::pi_v<float> * 0.0078125f + phase;
    const float radius = ((std::cos(angle * t) + 1.0f) * 0.3f + 0.4f) * kHelixRadius;
    const float scale = ((std::cos(row * t * t * 0.234234f) + 1.0f) * 0.3f + 0.4f) * t + (1.0f - t);
    // Columns stay within 14..114 (|radius x sin| <= 35, corners within 15), so no
    // span needs clipping to the 128-pixel row.
    const float swing = radius * std::sin(angle);
    PlaceStrand(static_cast<int>(kCentreColumn + swing), angle, scale, strandA);
    PlaceStrand(static_cast<int>(kCentreColumn - swing), angle, scale, strandB);

    const uint8_t* skinRow = skin + y * kDnaSkinSide;
    uint32_t* pixelRow = pixels + y * kDnaPanelWidth;
    // The strand drawn second covers the first: A lies behind B while cos > 0.
    const bool aBehind = std::cos(angle) > 0.0f;
    FillStrand(aBehind ? strandA : strandB, skinRow, pixelRow);
    FillStrand(aBehind ? strandB : strandA, skinRow, pixelRow);
  }
}

CDnaEffect::CDnaEffect(CDemo* owner) : CPart(owner) {}

CDnaEffect::~CDnaEffect() { Release(); }

void CDnaEffect::Init() {
  pixels_.assign(kDnaPanelWidth * kDnaPanelHeight, kTransparentBlack);

  // Made in the manager's alpha format: the default format has no alpha on a 24- or
  // 32-bit display, and the panel would cover the scene with an opaque black slab where
  // no tube is drawn. It is made on the demo's own device, as the manager's textures are.
  DWORD flags = D3DX_TEXTURE_NOMIPMAP;
  DWORD width = kDnaPanelWidth, height = kDnaPanelHeight, mipLevels = 0;
  auto format = static_cast<D3DX_SURFACEFORMAT>(demo->textures()->GetAlphaFormat());
  SafeRelease(texture_);
  if (const HRESULT result = D3DXCreateTexture(demo->device(), &flags, &width, &height, &format,
                                               nullptr, &texture_, &mipLevels);
      FAILED(result)) {
    texture_ = nullptr;
    throw demoError("Error creating texture: " + ErrorText(result));
  }

  IStream* stream = nullptr;
  HRESULT result = OpenArchiveStream(u"dnatex.raw", demo->archive(), &stream);
  if (SUCCEEDED(result)) result = ReadWholeStream(stream, skin_, nullptr);
  if (FAILED(result)) throw demoError("Cannot open dnatex.raw: " + ErrorText(result));
  // The skin is indexed as 256 x 256 bytes; an entry of another size would be read past
  // its end.
  constexpr size_t kSkinBytes = size_t{kDnaSkinSide} * kDnaSkinSide;
  if (skin_.size() != kSkinBytes) {
    throw demoError("Cannot open dnatex.raw: the entry holds " + std::to_string(skin_.size()) +
                    " bytes, not " + std::to_string(kSkinBytes));
  }
}

void CDnaEffect::Render(float t) {
  DrawDnaHelix(t, skin_.data(), pixels_.data());
  D3DXLoadTextureFromMemory(demo->device(), texture_, 0, pixels_.data(), nullptr,
                            D3DX_SF_A8R8G8B8, kDnaPanelWidth * 4, nullptr, D3DX_FT_DEFAULT);
  DrawPanel();
}

void CDnaEffect::DrawPanel() {
  const auto width = static_cast<float>(g_screenWidth);
  const auto height = static_cast<float>(g_screenHeight);
  const ScreenQuad panel = MakeScreenQuad(kPanelLeft * width, 0, width, height, kOpaqueWhite);

  IDirect3DDevice7* device = g_d3dDevice;
  device->SetTexture(0, texture_);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  SetColourTextureTimesDiffuse(device);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenVertexFormat, panel.data(),
                       static_cast<DWORD>(panel.size()), 0);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
}

void CDnaEffect::Release() {
  SafeRelease(texture_);
  skin_.clear();
}
