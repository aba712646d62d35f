#include "effects/capture_composite.h"

#include <vector>

#include "demo/demo.h"
#include "effects/screen_quad.h"
#include "render/d3d/ref_counted.h"

namespace {

constexpr char kCaptureTexture[] = "scrcap";
constexpr DWORD kCaptureSide = 256;  // texels
constexpr float kBorder = 0.08f;     // of the frame's width and height, left off the copy
constexpr D3DCOLOR kFlashGrey = 0xFFB2B2B2u;
constexpr D3DCOLOR kFrameColour = 0xFF999999u;
constexpr D3DCOLOR kOpaqueWhite = 0xFFFFFFFFu;

// The thumbnails (fractions of the screen): two at the top corners and two at the bottom,
// each a quarter of the screen wide and 0.28 high.
constexpr std::array<ScreenFraction, 4> kThumbnails = {{{0.01f, 0.09f, 0.26f, 0.37f},
                                                        {0.74f, 0.09f, 0.99f, 0.37f},
                                                        {0.01f, 0.63f, 0.26f, 0.91f},
                                                        {0.74f, 0.63f, 0.99f, 0.91f}}};

// Pre-transformed position and diffuse colour, for the thumbnails' frames.
struct FrameVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
};
constexpr DWORD kFrameVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

}  // namespace

RECT CaptureSourceRect(DWORD width, DWORD height) {
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  const float borderX = w * kBorder, borderY = h * kBorder;
  return {static_cast<int32_t>(borderX), static_cast<int32_t>(borderY),
          static_cast<int32_t>(w - borderX), static_cast<int32_t>(h - borderY)};
}

std::optional<FlashStep> FlashStepAt(float flashTime, float progress) {
  if (!(flashTime - kFlashHalfLength < progress && progress < flashTime + kFlashHalfLength)) {
    return std::nullopt;
  }
  if (flashTime <= progress) return FlashStep{true, (progress - flashTime) * 50.0f};
  return FlashStep{false, 1.0f - (flashTime - progress) * 50.0f};
}

CCaptureComposite::CCaptureComposite(CDemo* owner)
    : CPart(owner),
      effect_(owner),
      scene_(owner, "weird.hrn"),
      flashOut_(owner, FadeDirection::kFromColour, kFlashGrey),
      flashIn_(owner, FadeDirection::kToColour, kFlashGrey) {}

void CCaptureComposite::Init() {
  effect_.Init();
  scene_.Init();
  flashOut_.Init();
  flashIn_.Init();
  Resize();
  CreateCaptureTexture();
}

void CCaptureComposite::CreateCaptureTexture() {
  const std::vector<uint32_t> black(size_t{kCaptureSide} * kCaptureSide, 0);
  CTextureManager* textures = demo->textures();
  const HRESULT made =
      textures->CreateTexture(kCaptureTexture, black.data(), kCaptureSide, kCaptureSide,
                              kDefaultTextureFormat, kTextureNoMipMaps);
  // A trial copy tells whether the default format can receive the frame (not every format
  // can be drawn into). The first frame overwrites whatever it copied.
  if (SUCCEEDED(made) && SUCCEEDED(CaptureFrame())) return;
  if (SUCCEEDED(made)) textures->ReleaseTextureByName(kCaptureTexture);
  textures->CreateTexture(kCaptureTexture, black.data(), kCaptureSide, kCaptureSide,
                          D3DX_SF_A8R8G8B8, kTextureNoMipMaps);
}

void CCaptureComposite::Resize() {
  effect_.Resize();
  scene_.Resize();
  flashOut_.Resize();
  flashIn_.Resize();
  thumbnails = kThumbnails;
}

void CCaptureComposite::Render(float progress) {
  CPart::Render(progress);
  scene_.Render(progress);
  effect_.Render(progress);
  CaptureFrame();
  for (const ScreenFraction& rectangle : thumbnails) DrawThumbnail(rectangle);
  DrawFlashes(progress);
}

void CCaptureComposite::Rewind() { scene_.Rewind(); }

HRESULT CCaptureComposite::CaptureFrame() {
  if (demo->context() == nullptr) return DD_OK;
  IDirectDrawSurface7* backBuffer = nullptr;
  if (FAILED(demo->context()->GetBackBuffer(0, &backBuffer))) return DD_OK;
  IDirectDrawSurface7* capture = demo->textures()->GetTexture(kCaptureTexture);
  HRESULT result = DD_OK;
  if (capture != nullptr) {
    const RECT source = CaptureSourceRect(g_screenWidth, g_screenHeight);
    result = capture->Blt(nullptr, backBuffer, &source, 0, nullptr);
  }
  SafeRelease(capture);
  SafeRelease(backBuffer);
  return result;
}

void CCaptureComposite::DrawThumbnail(const ScreenFraction& rectangle) {
  const float width = static_cast<float>(g_screenWidth);
  const float height = static_cast<float>(g_screenHeight);
  const float left = rectangle.x0 * width, right = rectangle.x1 * width;
  const float top = rectangle.y0 * height, bottom = rectangle.y1 * height;

  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  demo->textures()->SetTextureByName(0, kCaptureTexture);
  ScreenQuad picture = MakeScreenQuad(left, top, right, bottom, kOpaqueWhite);
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenVertexFormat, picture.data(), 6, 0);

  demo->textures()->SetTextureByName(0, "");
  FrameVertex frame[5] = {{left, top, 0, 1, kFrameColour},
                          {right, top, 0, 1, kFrameColour},
                          {right, bottom, 0, 1, kFrameColour},
                          {left, bottom, 0, 1, kFrameColour},
                          {left, top, 0, 1, kFrameColour}};
  device->DrawPrimitive(D3DPT_LINESTRIP, kFrameVertexFormat, frame, 5, 0);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1);
}

void CCaptureComposite::DrawFlashes(float progress) {
  for (const float flashTime : kFlashTimes) {
    const std::optional<FlashStep> step = FlashStepAt(flashTime, progress);
    if (!step) continue;
    (step->fromGrey ? flashOut_ : flashIn_).Render(step->fadeProgress);
  }
}

void CCaptureComposite::Release() {
  effect_.Release();
  scene_.Release();
  flashIn_.Release();
  flashOut_.Release();
}
