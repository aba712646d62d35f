#include "demo/demo.h"

#include "app/log.h"
#include "demo/demo_error.h"
#include "demo/demo_random.h"
#include "demo/part.h"
#include "render/d3dx/d3dx_maths.h"
#include "resources/archive.h"

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
    : timer(clock), mute(muteMusic) {
  g_log << "---- Orrery (ORY) created by COPPERKEY ----\n";
  g_demo = this;
  SeedDemoRand(1);
  try {
    CreateContext(window, fullscreen, targetWidth, targetHeight, bitsPerPixel, deviceIndex);
    // A windowed context is always made at 640 x 480; the window's size changes follow.
    width = g_screenWidth = fullscreen ? targetWidth : kWindowedWidth;
    height = g_screenHeight = fullscreen ? targetHeight : kWindowedHeight;
    CreateTextureManager();
    OpenDataArchive();
    context->SetClearColor(0);
    context->SetClearStencil(0);
    SetDefaultRenderState();
    for (ID3DXMatrixStack*& stack : matrixStacks) {
      D3DXCreateMatrixStack(0, &stack);
      stack->LoadIdentity();
    }
    ShowLoadingScreen();
    script(*this);
    if (!mute) LoadMusic();
    g_log << "---- Starting demo ----\n";
    if (!mute) PlayMusic();
    font = std::make_unique<BitmapFont>(device, textures, width, height);
    font->LoadFont(archive);
    timer.Reset(kInitialFps);
  } catch (...) {
    // The destructor does not run for a demo that was never built: let go of what was
    // brought up so far, without the shutdown's log lines.
    if (audioInitialised_) StopAndFreeMusic();
    DeleteParts();
    font.reset();
    ReleaseObjects();
    throw;
  }
}

CDemo::~CDemo() {
  g_log << "---- Cleaning up ----\n";
  if (!mute) StopAndFreeMusic();
  audioBuffer.clear();
  audioBuffer.shrink_to_fit();
  // A part still on screen when the user quit was never stopped; its rate runs to now.
  const float now = CurrentTime();
  for (TimelineEntry& entry : active) entry.part->endTime = now;
  DeleteParts();
  font->FreeFont();
  font.reset();
  ReleaseObjects();
  pending.clear();
  active.clear();
}

void CDemo::CreateContext(SDL_Window* window, bool fullscreen, uint32_t targetWidth,
                          uint32_t targetHeight, uint32_t bitsPerPixel, uint32_t deviceIndex) {
  const HRESULT result =
      fullscreen
          ? D3DXCreateContextEx(deviceIndex, D3DX_CONTEXT_FULLSCREEN, window, window,
                                bitsPerPixel, 0, D3DX_DEFAULT, D3DX_DEFAULT, 1, targetWidth,
                                targetHeight, D3DX_DEFAULT, &context)
          : D3DXCreateContextEx(D3DX_HWLEVEL_RASTER, 0, window, nullptr, D3DX_DEFAULT,
                                D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 1, kWindowedWidth,
                                kWindowedHeight, D3DX_DEFAULT, &context);
  if (FAILED(result)) {
    throw demoError(
        "Error creating direct3d.\nMake sure you have DirectX 7.0 or later installed.: " +
        ErrorText(result));
  }
  d3d = g_d3d = context->GetD3D();
  device = g_d3dDevice = context->GetD3DDevice();
  ddraw = g_ddraw = context->GetDD();
  primary = context->GetPrimary();

  DWORD colorBits = 0, alphaBits = 0, depthBits = 0, stencilBits = 0;
  context->GetBufferDepths(&colorBits, &alphaBits, &depthBits, &stencilBits);
  hasStencil = stencilBits > 0;
  colourBits_ = colorBits;
  D3DDEVICEDESC7 caps{};
  device->GetCaps(&caps);
  hardwareTnL = (caps.dwDevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
}

void CDemo::CreateTextureManager() {
  if (FAILED(::CreateTextureManager(&textures, ddraw, device))) {
    throw demoError("No supported texture formats");
  }
  // A 16-bit display gets the small formats: palettised for opaque textures, 1-bit alpha.
  const bool sixteenBit = colourBits_ == 16;
  textures->SetDefaultFormat(sixteenBit ? 6 : 1);
  textures->SetAlphaFormat(sixteenBit ? 8 : 2);
}

void CDemo::OpenDataArchive() {
  OpenArchive(u"lantern.dat", &archive);
  if (archive == nullptr) throw demoError("Cannot open lantern.dat");
  textures->SetStorage(archive);
}

void CDemo::SetDefaultRenderState() {
  D3DXMATRIX matrix;
  const D3DXVECTOR3 eye{0, 0, -60}, target{0, 0, 0}, up{0, 1, 0};
  D3DXMatrixLookAtLH(&matrix, &eye, &target, &up);
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &matrix);
  // This library's perspective takes the aspect as height / width.
  D3DXMatrixPerspectiveFovLH(&matrix, 1.5707964f,
                             static_cast<float>(height) / static_cast<float>(width), 0.1f,
                             5000.0f);
  device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &matrix);
  D3DXMatrixIdentity(&matrix);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &matrix);
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
  device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR);
  device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_ANISOTROPIC);
  device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_ANISOTROPIC);
}

void CDemo::ShowLoadingScreen() {
  if (FAILED(device->BeginScene())) return;
  context->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
  device->EndScene();
  context->DrawDebugText(0.46f, 0.5f, 0xFF999999u, "Loading...");
  context->UpdateFrame(0);
}

void CDemo::DeleteParts() {
  for (CPart* part : parts) delete part;
  parts.clear();
}

void CDemo::ReleaseObjects() {
  SafeRelease(archive);
  SafeRelease(textures);
  SafeRelease(context);
  SafeRelease(ddraw);
  SafeRelease(device);
  SafeRelease(primary);
  SafeRelease(d3d);
  for (ID3DXMatrixStack*& stack : matrixStacks) SafeRelease(stack);
  g_d3dDevice = nullptr;
  g_d3d = nullptr;
  g_ddraw = nullptr;
  g_demo = nullptr;
}
