#pragma once
// For image tests of drawing: a small live context with a scene begun and both buffers
// cleared (black, depth 1), vertex types of the formats the demo draws with, textures
// made straight from pixels, and helpers to look at the picture.
#include <cstdint>
#include <vector>

#include "support/context_fixture.h"

// D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1: x, y in target pixels, y downward.
struct ScreenVertex {
  float x, y, z, rhw;
  D3DCOLOR diffuse;
  float u, v;
};
constexpr DWORD kScreenFvf = 0x144;

// D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1.
struct SceneVertex {
  float x, y, z;
  D3DCOLOR diffuse;
  float u, v;
};
constexpr DWORD kSceneFvf = 0x142;

struct ScreenRect {
  float left, top, right, bottom;
};

// Texture coordinates at the corners of a rectangle.
struct UvRect {
  float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
};

class PipelineFixture : public ContextFixture {
 protected:
  static constexpr DWORD kTargetWidth = 64;
  static constexpr DWORD kTargetHeight = 48;

  void SetUp() override;
  void TearDown() override;

  // A texture of `width` x `height` pixels (0xAARRGGBB, top row first), one level,
  // released by the fixture.
  IDirectDrawSurface7* MakeTexture(DWORD width, DWORD height, const std::vector<uint32_t>& pixels);
  // Clears colour to `color` and depth to 1 in the current viewport.
  void ClearAll(D3DCOLOR color);
  void SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
  void SetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value);

  // The rectangle as a triangle strip turning clockwise on screen, with `uv` across it.
  HRESULT DrawScreenRect(const ScreenRect& rect, D3DCOLOR color, float z = 0.5f,
                         const UvRect& uv = {});
  // A rectangle at depth `z` in clip space (identity transforms): x, y from -1 to 1
  // cover the viewport.
  HRESULT DrawSceneRect(const ScreenRect& clipRect, D3DCOLOR color, float z = 0.5f,
                        const UvRect& uv = {});

  // How many pixels of the picture have exactly `color`.
  static size_t Count(const Picture& picture, uint32_t color);

 private:
  std::vector<IDirectDrawSurface7*> textures_;
};

// Whether each channel of the two colours differs by at most `tolerance`.
bool ColorsNear(uint32_t actual, uint32_t expected, int tolerance);
