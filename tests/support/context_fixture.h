#pragma once
// For tests that need a live utility context: each test gets its own hidden OpenGL window
// and context, released afterwards in the demo's order (the context before the device).
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "render/d3dx/d3dx_context.h"
#include "support/gl_test_window.h"

// The render target's pixels (0xAARRGGBB), top row first.
struct Picture {
  std::vector<uint32_t> pixels;
  DWORD width = 0, height = 0;
  uint32_t At(DWORD x, DWORD y) const { return pixels[size_t{y} * width + x]; }
};

class ContextFixture : public testing::Test {
 protected:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  // A window of kWidth x kHeight and a context whose target takes the window's size.
  void SetUp() override { Recreate(kWidth, kHeight, D3DX_DEFAULT, D3DX_DEFAULT); }
  void TearDown() override;

  // Replaces the window and context; fails the test when either cannot be made.
  void Recreate(int windowWidth, int windowHeight, DWORD targetWidth, DWORD targetHeight);
  Picture ReadPicture() const;
  // Sets the device's viewport (depth range 0..1).
  void SetViewport(DWORD x, DWORD y, DWORD width, DWORD height);
  // Clears the colour of the current viewport to `color`.
  void ClearTo(D3DCOLOR color);

  std::unique_ptr<GlTestWindow> window_;
  ID3DXContext* context_ = nullptr;
  IDirect3DDevice7* device_ = nullptr;
};
