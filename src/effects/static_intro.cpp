#include "effects/static_intro.h"

#include "demo/demo.h"
#include "demo/demo_random.h"

namespace {

constexpr char kNoiseTexture[] = "static2.png";
constexpr DWORD kNoiseVertexFormat = D3DFVF_XYZRHW | D3DFVF_TEX1;

// One picture of the intro: its window in the part's progress, its top-left corner and size
// as fractions of the screen, and how far it may shake, as a fraction of the screen.
struct IntroPicture {
  const char* name;
  float start, end;
  float x, y;
  float width, height;
  float shake;
};

// Drawn in this order, so the small strips lie over the larger pictures shown with them.
constexpr IntroPicture kPictures[] = {
    {"i01.png", 0.1f, 0.22f, 0.3f, 0.3f, 0.6f, 0.6f, 0.01f},
    {"i05.png", 0.22f, 0.3f, 0.1f, 0.1f, 0.6f, 0.6f, 0.01f},
    {"i03.png", 0.3f, 0.4f, 0.2f, 0.2f, 0.6f, 0.6f, 0.01f},
    {"i10.png", 0.43f, 0.55f, 0.08f, 0.3f, 0.6f, 0.6f, 0.01f},
    {"i04.png", 0.55f, 0.6f, 0.2f, 0.2f, 0.6f, 0.6f, 0.01f},
    {"i02.png", 0.6f, 0.72f, 0.35f, 0.1f, 0.6f, 0.6f, 0.01f},
    {"i06.png", 0.75f, 0.86f, 0.1f, 0.35f, 0.6f, 0.6f, 0.01f},
    {"i07.png", 0.635f, 0.68f, 0.31f, 0.29f, 0.6f, 0.3f, 0.05f},
    {"i08.png", 0.1511f, 0.2f, 0.25f, 0.42f, 0.6f, 0.3f, 0.05f},
    {"i11.png", 0.77f, 0.81f, 0.08f, 0.44f, 0.6f, 0.3f, 0.05f},
    {"i09.png", 0.4633f, 0.53f, 0.05f, 0.47f, 0.6f, 0.3f, 0.05f},
    {"ckpres.png", 0.88f, 1.0f, 0.1f, 0.2f, 0.8f, 0.6f, 0.0f},
};

// A random whole number 0..1023.
int Random1024() { return DemoRand() % 1024; }

// A picture's opacity at `f` through its window: in over the first fifth, out over the last.
float PictureFade(float f) {
  if (f < 0.2f) return f * 5.0f;
  if (f > 0.8f) return (1.0f - f) * 5.0f;
  return 1.0f;
}

}  // namespace

CStaticIntro::CStaticIntro(CDemo* owner) : CPart(owner) {}

CStaticIntro::~CStaticIntro() {
  if (holdsTextures_) Release();
}

void CStaticIntro::Init() {
  CTextureManager* textures = demo->textures();
  textures->LoadTexture(kNoiseTexture, kDefaultTextureFormat, kTextureNoMipMaps);
  for (const IntroPicture& picture : kPictures) {
    textures->LoadTexture(picture.name, kAlphaTextureFormat, kTextureNoMipMaps);
  }
  holdsTextures_ = true;
  uLeft = uRight = vTop = vBottom = 0;
  Resize();
}

void CStaticIntro::Resize() {
  const float width = static_cast<float>(g_screenWidth);
  const float height = static_cast<float>(g_screenHeight);
  noiseQuad_[0] = {0, 0, 0, 1, uLeft, vTop};
  noiseQuad_[1] = {width, 0, 0, 1, uRight, vTop};
  noiseQuad_[2] = {0, height, 0, 1, uLeft, vBottom};
  noiseQuad_[3] = noiseQuad_[2];
  noiseQuad_[4] = noiseQuad_[1];
  noiseQuad_[5] = {width, height, 0, 1, uRight, vBottom};
}

void CStaticIntro::Render(float progress) {
  CPart::Render(progress);
  DrawNoise();
  DrawPictures(progress);
  g_d3dDevice->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
}

void CStaticIntro::DrawNoise() {
  demo->textures()->SetTextureByName(0, kNoiseTexture);
  uLeft = static_cast<float>(Random1024()) / 1024.0f;
  uRight = uLeft + 1.0f;
  vTop = static_cast<float>(Random1024()) / 1024.0f;
  vBottom = vTop + 1.0f;
  Resize();

  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
  device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
  SetOverlayStates(device);
  device->DrawPrimitive(D3DPT_TRIANGLELIST, kNoiseVertexFormat, noiseQuad_, 6, 0);
}

void CStaticIntro::DrawPictures(float progress) {
  IDirect3DDevice7* device = g_d3dDevice;
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);

  const float width = static_cast<float>(g_screenWidth);
  const float height = static_cast<float>(g_screenHeight);
  for (const IntroPicture& picture : kPictures) {
    if (!(picture.start < progress && progress < picture.end)) continue;
    demo->textures()->SetTextureByName(0, picture.name);
    const float left =
        (static_cast<float>(Random1024()) * picture.shake / 1024.0f + picture.x) * width;
    const float right = width * picture.width + left;
    const float top =
        (static_cast<float>(Random1024()) * picture.shake / 1024.0f + picture.y) * height;
    const float bottom = height * picture.height + top;
    const float fade = PictureFade((progress - picture.start) / (picture.end - picture.start));
    pictureQuad_ = MakeScreenQuad(left, top, right, bottom, WithOpacity(fade, 0xFFFFFFu));
    device->DrawPrimitive(D3DPT_TRIANGLELIST, kScreenVertexFormat, pictureQuad_.data(), 6, 0);
  }
}

void CStaticIntro::Release() {
  CTextureManager* textures = demo->textures();
  textures->ReleaseTextureByName(kNoiseTexture);
  for (const IntroPicture& picture : kPictures) textures->ReleaseTextureByName(picture.name);
  holdsTextures_ = false;
}
