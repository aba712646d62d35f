#include "effects/final_images.h"

#include <cmath>
#include <numbers>

#include "demo/demo.h"
#include "demo/demo_random.h"
#include "demo/stage_states.h"
#include "effects/screen_quad.h"

namespace {

// A closing picture: its size as fractions of the screen and the progress at which it
// replaces the one before; it lasts until the next one's start.
struct FinalPicture {
  const char* name;
  float width, height;
  float start;
};

constexpr FinalPicture kPictures[] = {
    {"f02.png", 0.3f, 0.15f, 0.0f},
    {"f01.png", 0.8f, 0.15f, 0.2333333f},
    {"f03.png", 0.35f, 0.15f, 0.4666667f},
    {"f04.png", 0.5f, 0.15f, 0.680816f},
};
constexpr int kLastRow = 3;

constexpr float kFadeSlope = 20.0f;         // a fade lasts 0.05 of the part
constexpr float kFadeLength = 0.05f;
constexpr float kLastVisible = 0.993126f;   // the last picture is gone after this
constexpr float kLastFadeBegins = 0.943126f;
constexpr double kPulseHalfPeriods = 12.0;  // over the last picture's window
constexpr float kShake = 0.010204081f;      // of the screen, either way

float RandomFraction() { return static_cast<float>(DemoRand() % 1024) / 1024.0f; }

}  // namespace

int FinalImageRow(float progress) {
  int row = 0;
  while (row < kLastRow && kPictures[row + 1].start <= progress) ++row;
  return row;
}

float FinalImageOpacity(int row, float progress) {
  const float start = kPictures[row].start;
  if (row < kLastRow) {
    const float nextStart = kPictures[row + 1].start;
    if (progress < start + kFadeLength) return (progress - start) * kFadeSlope;
    if (progress > nextStart - kFadeLength) {
      return 1.0f - (progress - (nextStart - kFadeLength)) * kFadeSlope;
    }
    return 1.0f;
  }
  const float since = progress - start;
  const auto pulse = static_cast<float>(
      (std::sin(since / (kLastVisible - start) * std::numbers::pi * kPulseHalfPeriods) + 1.0) *
          0.5 * 0.6 +
      0.4);
  if (progress < start + kFadeLength) return pulse * since * kFadeSlope;
  if (progress > kLastVisible) return 0.0f;
  if (progress > kLastFadeBegins) return pulse * (1.0f - (progress - kLastFadeBegins) * kFadeSlope);
  return pulse;
}

CFinalImages::CFinalImages(CDemo* owner) : CPart(owner) {}

CFinalImages::~CFinalImages() {
  if (holdsTextures_) Release();
}

void CFinalImages::Init() {
  for (const FinalPicture& picture : kPictures) {
    demo->textures()->LoadTexture(picture.name, kDefaultTextureFormat, kTextureNoMipMaps);
  }
  holdsTextures_ = true;
}

void CFinalImages::Render(float progress) {
  const int row = FinalImageRow(progress);
  const FinalPicture& picture = kPictures[row];
  const float width = static_cast<float>(g_screenWidth);
  const float height = static_cast<float>(g_screenHeight);
  const float pictureWidth = width * picture.width;
  const float pictureHeight = height * picture.height;
  const float shakeX = (RandomFraction() - 0.5f) * width * kShake;
  const float shakeY = (RandomFraction() - 0.5f) * height * kShake;
  // The shake moves the left and top edges once and the right and bottom edges twice, so
  // the picture also breathes in size a little.
  const float left = (width - pictureWidth) * 0.5f + shakeX;
  const float right = left + shakeX + pictureWidth;
  const float top = (height - pictureHeight) * 0.5f + shakeY;
  const float bottom = top + shakeY + pictureHeight;
  const ScreenQuad quad = MakeScreenQuad(left, top, right, bottom,
                                         WithOpacity(FinalImageOpacity(row, progress), 0xFFFFFFu));
  demo->textures()->SetTextureByName(0, picture.name);

  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  SetColourTextureTimesDiffuse(device);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenVertexFormat, quad.data(), 6, 0);
}

void CFinalImages::Release() {
  for (const FinalPicture& picture : kPictures)
    demo->textures()->ReleaseTextureByName(picture.name);
  holdsTextures_ = false;
}
