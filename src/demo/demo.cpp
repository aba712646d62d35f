#include "demo/demo.h"

#include <utility>

#include "base/demo_error.h"
#include "base/log.h"
#include "demo/demo_random.h"
#include "demo/part.h"
#include "render/d3dx/d3dx_maths.h"
#include "resources/archive.h"
#include "resources/data_archive.h"

CDemo* g_demo = nullptr;
IDirect3DDevice7* g_d3dDevice = nullptr;
IDirect3D7* g_d3d = nullptr;
IDirectDraw7* g_ddraw = nullptr;
uint32_t g_screenWidth = 0;
uint32_t g_screenHeight = 0;

namespace {
constexpr uint32_t kWindowedWidth = 640;
constexpr uint32_t kWindowedHeight = 480;
constexpr float kInitialFps = 45.0f;
}  // namespace

CDemo::CDemo(SDL_Window* window, bool fullscreen, uint32_t targetWidth, uint32_t targetHeight,
             uint32_t bitsPerPixel, uint32_t deviceIndex, bool muteMusic, const Clock& clock,
             const TimelineScript& script)
    : timer_(clock), mute_(muteMusic) {
  g_log << "---- Orrery (ORY) created by COPPERKEY ----\n";
  g_demo = this;
  SeedDemoRand(1);
  try {
    CreateContext(window, fullscreen, targetWidth, targetHeight, bitsPerPixel, deviceIndex);
    // A windowed context is always made at 640 x 480; the window's size changes follow.
    width_ = g_screenWidth = fullscreen ? targetWidth : kWindowedWidth;
    height_ = g_screenHeight = fullscreen ? targetHeight : kWindowedHeight;
    CreateTextureManager();
    OpenDataArchive();
    context_->SetClearColor(0);
    context_->SetClearStencil(0);
    SetDefaultRenderState();
    for (ID3DXMatrixStack*& stack : matrixStacks_) {
      D3DXCreateMatrixStack(0, &stack);
      stack->LoadIdentity();
    }
    ShowLoadingScreen();
    script(*this);
    if (!mute_) LoadMusic();
    g_log << "---- Starting demo ----\n";
    if (!mute_) PlayMusic();
    font_ = std::make_unique<BitmapFont>(device_, textures_, width_, height_);
    font_->LoadFont(archive_);
    builtRandState_ = DemoRandState();
    builtStates_ = std::make_unique<DeviceStateSnapshot>(device_);
    timer_.Reset(kInitialFps);
  } catch (...) {
    // The destructor does not run for a demo that was never built: let go of what was
    // brought up so far, without the shutdown's log lines.
    if (audioInitialised_) StopAndFreeMusic();
    timeline_.Clear();
    font_.reset();
    ReleaseObjects();
    throw;
  }
}

CDemo::~CDemo() {
  g_log << "---- Cleaning up ----\n";
  if (!mute_) StopAndFreeMusic();
  audioBuffer_.clear();
  audioBuffer_.shrink_to_fit();
  // A part still on screen when the user quit was never stopped; its rate runs to now.
  const float now = CurrentTime();
  timeline_.EndActivePartsAt(now);
  timeline_.Clear();
  font_->FreeFont();
  font_.reset();
  ReleaseObjects();
}

void CDemo::CreateContext(SDL_Window* window, bool fullscreen, uint32_t targetWidth,
                          uint32_t targetHeight, uint32_t bitsPerPixel, uint32_t deviceIndex) {
  const HRESULT result =
      fullscreen
          ? D3DXCreateContextEx(deviceIndex, D3DX_CONTEXT_FULLSCREEN, window, window,
                                bitsPerPixel, 0, D3DX_DEFAULT, D3DX_DEFAULT, 1, targetWidth,
                                targetHeight, D3DX_DEFAULT, &context_)
          : D3DXCreateContextEx(D3DX_HWLEVEL_RASTER, 0, window, nullptr, D3DX_DEFAULT,
                                D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 1, kWindowedWidth,
                                kWindowedHeight, D3DX_DEFAULT, &context_);
  if (FAILED(result)) {
    throw demoError(
        "Error creating direct3d.\nMake sure you have DirectX 7.0 or later installed.: " +
        ErrorText(result));
  }
  d3d_ = g_d3d = context_->GetD3D();
  device_ = g_d3dDevice = context_->GetD3DDevice();
  ddraw_ = g_ddraw = context_->GetDD();
  primary_ = context_->GetPrimary();

  DWORD colorBits = 0, alphaBits = 0, depthBits = 0, stencilBits = 0;
  context_->GetBufferDepths(&colorBits, &alphaBits, &depthBits, &stencilBits);
  hasStencil_ = stencilBits > 0;
  colourBits_ = colorBits;
}

void CDemo::CreateTextureManager() {
  if (FAILED(::CreateTextureManager(&textures_, ddraw_, device_))) {
    throw demoError("No supported texture formats");
  }
  // A 16-bit display gets the small formats: palettised for opaque textures, 1-bit alpha.
  const bool sixteenBit = colourBits_ == 16;
  textures_->SetDefaultFormat(sixteenBit ? 6 : 1);
  textures_->SetAlphaFormat(sixteenBit ? 8 : 2);
}

void CDemo::OpenDataArchive() {
  ::OpenDataArchive(&archive_);
  if (archive_ == nullptr) throw demoError("Cannot open lantern.dat");
  textures_->SetStorage(archive_);
}

void CDemo::SetDefaultRenderState() {
  D3DXMATRIX matrix;
  const D3DXVECTOR3 eye{0, 0, -60}, target{0, 0, 0}, up{0, 1, 0};
  D3DXMatrixLookAtLH(&matrix, &eye, &target, &up);
  device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &matrix);
  // This library's perspective takes the aspect as height / width.
  D3DXMatrixPerspectiveFovLH(&matrix, 1.5707964f,
                             static_cast<float>(height_) / static_cast<float>(width_), 0.1f,
                             5000.0f);
  device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &matrix);
  D3DXMatrixIdentity(&matrix);
  device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &matrix);
  device_->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
  device_->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR);
  device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_ANISOTROPIC);
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_ANISOTROPIC);
}

void CDemo::ShowLoadingScreen() {
  if (FAILED(device_->BeginScene())) return;
  context_->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
  device_->EndScene();
  context_->DrawDebugText(0.46f, 0.5f, 0xFF999999u, "Loading...");
  context_->UpdateFrame(0);
}

CTextureManager* CDemo::ReplaceTextures(CTextureManager* textures) {
  std::swap(textures_, textures);
  return textures;
}

std::unique_ptr<BitmapFont> CDemo::ReplaceFont(std::unique_ptr<BitmapFont> font) {
  font_.swap(font);
  return font;
}

void CDemo::ReleaseObjects() {
  builtStates_.reset();  // it holds the textures bound then
  SafeRelease(archive_);
  SafeRelease(textures_);
  SafeRelease(context_);
  SafeRelease(ddraw_);
  SafeRelease(device_);
  SafeRelease(primary_);
  SafeRelease(d3d_);
  for (ID3DXMatrixStack*& stack : matrixStacks_) SafeRelease(stack);
  g_d3dDevice = nullptr;
  g_d3d = nullptr;
  g_ddraw = nullptr;
  g_demo = nullptr;
}
