#include "resources/bitmap_font.h"

#include <algorithm>

#include "base/demo_error.h"

namespace {

constexpr TextureFormat kFontTextureFormat = 10;  // 16-bit 4-4-4-4 ARGB
constexpr float kSpaceAdvance = 0.05f;
// Letters drawn with one call; longer strings are drawn in several.
constexpr size_t kLettersPerBatch = 32;

constexpr GlyphPlacement kGlyphPlacements[] = {
    {'a', 0, 0, 34, 45},    {'w', 35, 0, 32, 41},   {'e', 69, 0, 30, 43},
    {'r', 103, 0, 35, 49},  {'n', 140, 0, 29, 47},  {'o', 1, 47, 34, 40},
    {'t', 37, 45, 33, 43},  {'l', 72, 45, 30, 44},  {'v', 104, 51, 27, 42},
    {'s', 133, 52, 34, 38}, {'m', 171, 0, 34, 42},  {'i', 170, 44, 16, 45},
    {'c', 207, 0, 34, 41},  {'y', 188, 43, 29, 42}, {'u', 218, 43, 29, 49},
    {'h', 188, 86, 30, 43},
};

// Pre-transformed position, diffuse colour, one texture coordinate pair.
struct FontVertex {
  float x, y, z, rhw;
  DWORD colour;
  float u, v;
};
constexpr DWORD kFontVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

}  // namespace

std::span<const GlyphPlacement> FontGlyphPlacements() { return kGlyphPlacements; }

BitmapFont::BitmapFont(IDirect3DDevice7* device, CTextureManager* textures,
                       const uint32_t& screenWidth, const uint32_t& screenHeight)
    : device_(device), textures_(textures), screenWidth_(screenWidth),
      screenHeight_(screenHeight) {}

void BitmapFont::LoadFont(IStorage* archive) {
  IStream* stream = nullptr;
  const HRESULT opened = OpenArchiveStream(u"bwfont.raw", archive, &stream);
  if (FAILED(opened)) throw demoError("Cannot open bwfont.raw: " + ErrorText(opened));
  std::vector<uint8_t> coverage;
  const HRESULT read = ReadWholeStream(stream, coverage, nullptr);
  if (FAILED(read)) throw demoError("Cannot open bwfont.raw: " + ErrorText(read));
  // A short entry would leave part of the image undefined.
  if (coverage.size() != kFontImageWidth * kFontImageHeight) {
    throw demoError("Cannot open bwfont.raw: the entry holds " + std::to_string(coverage.size()) +
                    " bytes, not " + std::to_string(kFontImageWidth * kFontImageHeight));
  }
  std::vector<uint32_t> pixels(coverage.size());
  std::transform(coverage.begin(), coverage.end(), pixels.begin(),
                 [](uint8_t ink) { return (uint32_t{ink} << 24) | 0xFFFFFFu; });
  textures_->CreateTexture("bwfont", pixels.data(), kFontImageWidth, kFontImageHeight, kFontTextureFormat,
                           0);
  glyphs_.assign(26, GlyphRect{0, 0, 0, 0});
  for (const GlyphPlacement& placement : FontGlyphPlacements()) {
    GlyphRect& glyph = glyphs_[placement.letter - 'a'];
    glyph.uMin = (static_cast<float>(placement.x) + 0.5f) / kFontImageWidth;
    glyph.vMin = (static_cast<float>(placement.y) + 0.5f) / kFontImageHeight;
    glyph.uMax = glyph.uMin + static_cast<float>(placement.width - 2) / kFontImageWidth;
    glyph.vMax = glyph.vMin + static_cast<float>(placement.height - 2) / kFontImageHeight;
  }
}

void BitmapFont::FreeFont() {
  textures_->ReleaseTextureByName("bwfont");
  glyphs_.clear();
}

const GlyphRect* BitmapFont::GlyphOf(char character) const {
  if (character < 'a' || character > 'z' || glyphs_.empty()) return nullptr;
  return &glyphs_[character - 'a'];
}

void BitmapFont::DrawString(const std::string& text, DWORD colour, float x, float y,
                            float width, float height) {
  float span = 0;
  for (const char character : text) {
    if (character == ' ') span += kSpaceAdvance;
    if (const GlyphRect* glyph = GlyphOf(character)) span += glyph->uMax - glyph->uMin;
  }
  const float screenWidth = static_cast<float>(screenWidth_);
  const float screenHeight = static_cast<float>(screenHeight_);
  const float top = y * screenHeight, bottom = (y + height) * screenHeight;
  std::vector<FontVertex> vertices;
  float offset = 0;
  for (const char character : text) {
    if (span <= 0) break;  // nothing has width: nothing to lay out
    if (character == ' ') offset += kSpaceAdvance / span;
    const GlyphRect* glyph = GlyphOf(character);
    if (glyph == nullptr || glyph->uMax <= glyph->uMin) continue;
    const float share = (glyph->uMax - glyph->uMin) / span;
    const float left = (x + width * offset) * screenWidth;
    const float right = (x + width * (offset + share)) * screenWidth;
    offset += share;
    const FontVertex topLeft{left, top, 0, 1, colour, glyph->uMin, glyph->vMin};
    const FontVertex topRight{right, top, 0, 1, colour, glyph->uMax, glyph->vMin};
    const FontVertex bottomRight{right, bottom, 0, 1, colour, glyph->uMax, glyph->vMax};
    const FontVertex bottomLeft{left, bottom, 0, 1, colour, glyph->uMin, glyph->vMax};
    vertices.insert(vertices.end(),
                    {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft});
  }
  SetDrawingStates();
  const size_t batchVertices = kLettersPerBatch * 6;
  for (size_t first = 0; first < vertices.size(); first += batchVertices) {
    const size_t count = std::min(batchVertices, vertices.size() - first);
    device_->DrawPrimitive(D3DPT_TRIANGLELIST, kFontVertexFormat, &vertices[first],
                           static_cast<DWORD>(count), 0);
  }
  device_->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
  device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
}

void BitmapFont::SetDrawingStates() {
  device_->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
  device_->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device_->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device_->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
  device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  textures_->SetTextureByName(0, "bwfont");
  device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
}
