#pragma once
// The utility context: made on the demo's window by the backend (D3DXCreateContextEx, in
// render/gl), it owns the render target the demo draws into (colour, depth and stencil,
// row 0 at the top) and presents that picture to the window, scaled with its aspect kept.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "render/d3d/device.h"
#include "render/d3dx/frame_instruments.h"

struct SDL_Window;

constexpr DWORD D3DX_DEFAULT = 0xFFFFFFFFu;
// Device selector: let the library pick the default hardware-rasterising device.
constexpr DWORD D3DX_HWLEVEL_RASTER = static_cast<DWORD>(-5);
constexpr DWORD D3DX_CONTEXT_FULLSCREEN = 0x1;

class ID3DXContext : public RefCounted {
 public:
  // Each getter adds a reference that the caller releases.
  virtual IDirect3D7* GetD3D() = 0;
  virtual IDirectDraw7* GetDD() = 0;
  virtual IDirect3DDevice7* GetD3DDevice() = 0;
  virtual IDirectDrawSurface7* GetPrimary() = 0;

  virtual HRESULT GetBufferDepths(DWORD* colorBits, DWORD* alphaBits, DWORD* depthBits,
                                  DWORD* stencilBits) = 0;

  // Clears the device's current viewport rectangle (D3DCLEAR_* flags).
  virtual HRESULT Clear(DWORD flags) = 0;
  virtual HRESULT SetClearColor(D3DCOLOR color) = 0;
  virtual HRESULT SetClearDepth(float depth) = 0;
  virtual HRESULT SetClearStencil(DWORD stencil) = 0;

  // Shows the render target in the window.
  virtual HRESULT UpdateFrame(DWORD flags) = 0;
  // Gives the render target a new size; a zero width or height is refused.
  virtual HRESULT Resize(DWORD width, DWORD height) = 0;
  virtual HRESULT RestoreSurfaces() = 0;

  // The surface the demo draws into, as a Blt source (`which` must be 0).
  virtual HRESULT GetBackBuffer(DWORD which, IDirectDrawSurface7** backBuffer) = 0;

  // Draws `text` at (x, y) given as fractions of the render target's width and height.
  virtual HRESULT DrawDebugText(float x, float y, D3DCOLOR color, const char* text) = 0;

  // This library's own additions, for the capture tool and the tests.
  // The render target's pixels as 0xAARRGGBB, row 0 (the top) first, and its size;
  // DDERR_INVALIDPARAMS for a null size.
  virtual HRESULT ReadRenderTarget(std::vector<uint32_t>& pixelsArgb, DWORD* width,
                                   DWORD* height) = 0;
  // Whether UpdateFrame shows the picture in the window (at first it does). A tool that
  // only reads the render target back turns it off and saves the copy and the swap.
  virtual void SetPresentsToWindow(bool presents) = 0;
  // Whether draws and clears reach the render target (at first they do). With pixels off
  // everything else goes on as usual: a player that brings stateful parts up to a moment
  // plays the frames before it this way, and only the moment itself is rasterised.
  virtual void SetDrawsPixels(bool draws) = 0;
  // Called by UpdateFrame after the picture is in the window and before it is shown, with
  // the window's framebuffer bound (an empty function: nothing). The render target, and so
  // whatever is read back from it, never sees what the overlay draws.
  virtual void SetWindowOverlay(std::function<void()> overlay) = 0;
  // Both need the context current wherever they are used, and must go before it does.
  virtual std::unique_ptr<FrameReadback> CreateFrameReadback() = 0;
  virtual std::unique_ptr<FragmentCounter> CreateFragmentCounter() = 0;
};

// Creates the context on `deviceWindow`, which must have been created for OpenGL. With
// D3DX_DEFAULT as width or height the window's drawable size is used.
HRESULT D3DXCreateContextEx(DWORD deviceIndex, DWORD flags, SDL_Window* deviceWindow,
                            SDL_Window* focusWindow, DWORD colorBits, DWORD alphaBits,
                            DWORD depthBits, DWORD stencilBits, DWORD backBuffers, DWORD width,
                            DWORD height, DWORD refreshRate, ID3DXContext** context);
